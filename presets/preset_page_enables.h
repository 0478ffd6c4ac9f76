#pragma once

// The enable rules of a settings page, as functions of the controls' states.
// A rule only enables or disables: it never changes a check, a selection or
// a text. Each event of the page applies the part that belongs to it.

// What the rules look at.
struct PresetPageStates {
    bool folderOutputChecked = false;
    // The folder-type list's selected index; -1 when it has none.
    int folderTypeSelection = -1;
    bool subFolderChecked = false;
    bool lineNumberChecked = false;
};

struct PresetPageEnables {
    bool folderTypeList = true;
    bool subFolderBox = true;
    bool depthEdit = true;
    bool nextFolderBox = true;
    // The separator list, the three edits of the line-number group and the zero box.
    bool lineNumberOptions = true;

    static PresetPageEnables For(const PresetPageStates& states);

    bool operator==(const PresetPageEnables&) const = default;
};
