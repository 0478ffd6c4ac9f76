#include "engine/win/copy_progress_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <utility>

#include "engine/win/transfer.h"
#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "platform/win/transfer_trace.h"
#include "text/extension_rule.h"
#include "resources/resource.h"

CopyProgressDialog::CopyProgressDialog(const ListingOptions& options, TransferTarget target, Messages messages)
    : CDialog(IDD_COPY_PROGRESS), m_options(options), m_target(std::move(target)), m_messages(messages) {}

void CopyProgressDialog::SetFilterExtension(std::string_view text) {
    m_filterExtension = CutExtension(SystemTextServices(), text);
}

void CopyProgressDialog::PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: whoever runs the outer loop ends on it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BOOL CopyProgressDialog::OnInitDialog() {
    OnCreate();
    return CDialog::OnInitDialog();
}

void CopyProgressDialog::OnCreate() {
    // The second is counted from the transfer's start, as its user counts it: what making the window took comes
    // off it.
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started).count();
    const auto delay = std::max<long long>(kStartDelayMs - spent, USER_TIMER_MINIMUM);
    ::SetTimer(m_hWnd, kStartTimer, static_cast<UINT>(delay), nullptr);
    transfer_trace::Mark("start timer set");
}

void CopyProgressDialog::OnShowWindow(BOOL show) {
    const HWND animation = GetDlgItem(IDC_ANIMATION);
    if (show) {
        if (!::SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(::GetModuleHandleA(nullptr)),
                            reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_COPY_CLIP)))) {
            ResourceMessageBox(m_hWnd, m_messages, IDS_CLIP_WARNING, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
        }
        // From the first frame to the last, repeating without end.
        ::SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
        transfer_trace::Mark("dialog shown");
    } else {
        ::SendMessageA(animation, ACM_STOP, 0, 0);
        ::SendMessageA(animation, ACM_OPENA, 0, 0);
    }
}

void CopyProgressDialog::OnTimer(UINT_PTR id) {
    if (id != kStartTimer) return;
    transfer_trace::Mark("start timer");
    // Killed first, so the run happens once even though it pumps messages.
    ::KillTimer(m_hWnd, kStartTimer);
    m_running = true;
    ComposeListing();
    m_running = false;
    transfer_trace::Mark("run returned");
    // Closed during the run, the window went at once; the dialog ends now.
    if (m_cancelled)
        CDialog::OnCancel();
    else
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

void CopyProgressDialog::ComposeListing() {
    try {
        TransferResult result = RunTransfer(
            m_hWnd, GetDlgItem(IDC_STATUS), [this] { PumpMessages(); }, m_startPaths, m_filterExtension, m_options,
            m_target);
        m_succeeded = result.delivered;
        m_unreadable = std::move(result.unreadable);
    } catch (const std::bad_alloc&) {
        // The run's memory is free again by now, enough for a message.
        ResourceMessageBox(m_hWnd, m_messages, IDS_OUT_OF_MEMORY, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
        return;
    }
    if (m_succeeded) return;
    if (m_target.file.empty()) {
        ResourceMessageBox(m_hWnd, m_messages, IDS_CLIPBOARD_FAILED, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
    } else {
        ShowMessage(m_hWnd, m_messages, FormatResourceText(IDS_FILE_FAILED, m_target.file), IDS_APP_TITLE,
                    MB_ICONWARNING | MB_OK);
    }
}

void CopyProgressDialog::OnCancel() {
    // Every close request becomes a cancel command; the first one ends the
    // dialog and the rest are ignored, so the run's pump and any message
    // box can empty the queue.
    if (m_cancelled) return;
    m_cancelled = true;
    ::KillTimer(m_hWnd, kStartTimer);
    // During a run the window goes at once, but the main window stays
    // disabled until the run has returned: no second transfer can start
    // inside this one.
    if (m_running)
        ShowWindow(SW_HIDE);
    else
        CDialog::OnCancel();
}

BOOL CopyProgressDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

INT_PTR CopyProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            OnShowWindow(static_cast<BOOL>(wParam));
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        default:
            break;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
