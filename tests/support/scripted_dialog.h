#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Runs a dialog of the program modally and works it as a user would: each step runs from a timer, which comes only
// once everything the step before queued has been handled. A dialog still open after the last step ends with -7.
template <typename Dialog>
struct ScriptedDialog : Dialog {
    std::vector<std::function<void(ScriptedDialog&)>> steps;
    std::size_t next = 0;

    BOOL OnInitDialog() override {
        return ::SetTimer(this->m_hWnd, 0x5354, USER_TIMER_MINIMUM, nullptr), Dialog::OnInitDialog();
    }
    HWND Item(int id) const { return ::GetDlgItem(this->m_hWnd, id); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != 0x5354) return Dialog::OnMessage(message, wParam, lParam);
        next < steps.size() ? steps[next++](*this) : this->EndDialog(-7);
        return TRUE;
    }
};
