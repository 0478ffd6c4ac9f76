#include "presets/preset_page_enables.h"

#include "engine/listing_options.h"

PresetPageEnables PresetPageEnables::For(const PresetPageStates& states) {
    // The fourth type leaves the sub-folder options nothing to do; a list
    // without a selection does not block.
    const bool blocked = states.folderOutputChecked && states.folderTypeSelection == kFoldersOnly;
    PresetPageEnables enables;
    enables.folderTypeList = states.folderOutputChecked;
    enables.subFolderBox = !blocked;
    enables.nextFolderBox = !blocked;
    // The depth edit follows both: it only means something while the
    // sub-folder box is checked and can be used.
    enables.depthEdit = states.subFolderChecked && !blocked;
    enables.lineNumberOptions = states.lineNumberChecked;
    return enables;
}
