#include "engine/win/preset_transfer.h"

#include <algorithm>

#include "engine/win/copy_progress_dialog.h"
#include "platform/win/registry_preset_storage.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_app.h"
#include "platform/win/transfer_trace.h"
#include "platform/win/wnd.h"
#include "presets/preset_store.h"
#include "resources/resource.h"

namespace {
// A longer list would not fit on the screen; the rest are counted.
constexpr std::size_t kFoldersNamed = 10;

void ShowUnreadable(const std::vector<std::string>& folders, Messages messages) {
    std::wstring text = FormatResourceCount(IDS_UNREADABLE_FOLDERS, folders.size());
    const std::size_t named = std::min(folders.size(), kFoldersNamed);
    for (std::size_t i = 0; i < named; ++i) text += L"\n" + Utf16FromUtf8(folders[i]);
    if (folders.size() > named) text += L"\n" + FormatResourceCount(IDS_UNREADABLE_MORE, folders.size() - named);
    const CWnd* main = CWinApp::Get() ? CWinApp::Get()->m_pMainWnd : nullptr;
    ShowMessage(main ? main->m_hWnd : nullptr, messages, text, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
}
}  // namespace

TransferOutcome RunPresetTransfer(const TransferRequest& request) {
    transfer_trace::Mark("transfer asked");
    RegistryPresetStorage storage;
    CopyProgressDialog dialog(LoadFromPreset(PresetStore(storage), request.presetIndex), request.target,
                              request.messages);
    dialog.SetFilterExtension(request.extension);
    dialog.SetStartPaths(request.startPaths);
    dialog.DoModal();
    transfer_trace::Mark("transfer ended");
    transfer_trace::Write();
    // A listing that was not delivered has been said to have failed: that
    // it lacks folders is beside the point then.
    if (!dialog.Succeeded()) return TransferOutcome::Failed;
    if (dialog.UnreadableFolders().empty()) return TransferOutcome::Delivered;
    ShowUnreadable(dialog.UnreadableFolders(), request.messages);
    return TransferOutcome::Incomplete;
}
