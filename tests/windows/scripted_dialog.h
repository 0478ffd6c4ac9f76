#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

// Runs a dialog of the program modally and works it as a user would. Each
// step runs from a timer, which comes only once everything the step before
// queued (posted messages, mouse input) has been handled. A dialog still
// open when the steps have run out ends with -7 instead of hanging the test.
template <typename Dialog>
struct ScriptedDialog : Dialog {
    std::vector<std::function<void(ScriptedDialog&)>> steps;

    BOOL OnInitDialog() override {
        const BOOL result = Dialog::OnInitDialog();
        ::SetTimer(this->m_hWnd, kStepTimer, USER_TIMER_MINIMUM, nullptr);
        return result;
    }
    HWND Item(int id) const { return ::GetDlgItem(this->m_hWnd, id); }

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) return Dialog::OnMessage(message, wParam, lParam);
        if (m_next == steps.size()) this->EndDialog(-7);
        else steps[m_next++](*this);
        return TRUE;
    }

private:
    static constexpr UINT_PTR kStepTimer = 0x5354;
    std::size_t m_next = 0;
};

// Types ANSI text into `window`: single bytes as the keyboard sends them, a
// double-byte character whole as the input method sends it (WM_IME_CHAR,
// lead byte high), which the control's default handling posts on as WM_CHAR.
inline void TypeText(HWND window, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (::IsDBCSLeadByte(byte) && i + 1 < text.size()) {
            ::PostMessageA(window, WM_IME_CHAR, (WPARAM{byte} << 8) | static_cast<unsigned char>(text[++i]), 1);
        } else {
            ::PostMessageA(window, WM_CHAR, byte, 1);
        }
    }
}

inline void PressKey(HWND window, WPARAM key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
