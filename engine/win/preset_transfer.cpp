#include "engine/win/preset_transfer.h"

#include "engine/win/copy_progress_dialog.h"
#include "platform/win/registry_preset_storage.h"
#include "platform/win/transfer_trace.h"
#include "presets/preset_store.h"

bool RunPresetTransfer(const TransferRequest& request) {
    transfer_trace::Mark("transfer asked");
    RegistryPresetStorage storage;
    CopyProgressDialog dialog(LoadFromPreset(PresetStore(storage), request.presetIndex), request.target,
                              request.messages);
    dialog.SetFilterExtension(request.extension);
    dialog.SetStartPaths(request.startPaths);
    dialog.DoModal();
    transfer_trace::Mark("transfer ended");
    transfer_trace::Write();
    return dialog.Succeeded();
}
