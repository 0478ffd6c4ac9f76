#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

// Runs a dialog of the program modally and works it as a user would: each step runs from a timer, which comes only
// once everything the step before queued has been handled. A dialog still open after the last step ends with
// kStillOpen; a step that throws ends it with kFailed, its message kept in `failure` (an exception must not cross
// the system's dispatch).
template <typename Dialog>
struct ScriptedDialog : Dialog {
    static constexpr UINT_PTR kStepTimer = 0x5354;
    static constexpr INT_PTR kStillOpen = -7;
    static constexpr INT_PTR kFailed = -8;

    using Dialog::Dialog;

    std::vector<std::function<void(ScriptedDialog&)>> steps;
    std::size_t next = 0;
    std::string failure;

    BOOL OnInitDialog() override {
        ::SetTimer(this->m_hWnd, kStepTimer, USER_TIMER_MINIMUM, nullptr);
        return Dialog::OnInitDialog();
    }
    HWND Item(int id) const { return ::GetDlgItem(this->m_hWnd, id); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) return Dialog::OnMessage(message, wParam, lParam);
        if (next == steps.size()) {
            this->EndDialog(kStillOpen);
            return TRUE;
        }
        try {
            steps[next++](*this);
        } catch (const std::exception& error) {
            failure = error.what();
            this->EndDialog(kFailed);
        }
        return TRUE;
    }
};
