#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// Runs a dialog of the program modally and works it as a user would. Each
// step runs from a timer, which the system delivers only once everything
// the step before queued (posted messages, mouse input) has been handled.
// A dialog still open when the steps have run out ends with kScriptEnded,
// so a dialog that ignores what it was given fails its test, not hangs it.
template <typename Dialog>
struct ScriptedDialog : Dialog {
    static constexpr UINT_PTR kStepTimer = 0x5354;
    static constexpr INT_PTR kScriptEnded = -7;

    std::vector<std::function<void(ScriptedDialog&)>> steps;

    BOOL OnInitDialog() override {
        const BOOL result = Dialog::OnInitDialog();
        ArmNextStep();
        return result;
    }

    HWND Item(int id) const { return ::GetDlgItem(this->m_hWnd, id); }

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) return Dialog::OnMessage(message, wParam, lParam);
        ::KillTimer(this->m_hWnd, kStepTimer);
        if (m_next == steps.size()) {
            this->EndDialog(kScriptEnded);
            return TRUE;
        }
        steps[m_next++](*this);
        ArmNextStep();
        return TRUE;
    }

private:
    void ArmNextStep() {
        if (this->m_hWnd) ::SetTimer(this->m_hWnd, kStepTimer, USER_TIMER_MINIMUM, nullptr);
    }

    std::size_t m_next = 0;
};

// Types ANSI text into `window`: single bytes as the keyboard sends them, a
// double-byte character whole as the input method sends it (WM_IME_CHAR,
// lead byte high), which the control's default handling posts on as WM_CHAR.
inline void TypeText(HWND window, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (::IsDBCSLeadByte(byte) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[++i]);
            ::PostMessageA(window, WM_IME_CHAR, (WPARAM{byte} << 8) | trail, 1);
        } else {
            ::PostMessageA(window, WM_CHAR, byte, 1);
        }
    }
}

inline void PressKey(HWND window, WPARAM key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
