#include "engine/win/preset_transfer.h"

#include "engine/win/copy_progress_dialog.h"
#include "platform/win/registry_preset_storage.h"
#include "presets/preset_store.h"

bool RunPresetTransfer(const TransferRequest& request) {
    RegistryPresetStorage storage;
    CopyProgressDialog dialog(LoadFromPreset(PresetStore(storage), request.presetIndex), request.target,
                              request.messages);
    dialog.SetFilterExtension(request.extension);
    dialog.SetStartPaths(request.startPaths);
    dialog.DoModal();
    return dialog.Succeeded();
}
