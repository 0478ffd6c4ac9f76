#pragma once

// The "Listora" entry of Explorer's context menu for folders, a folder's
// background (the folder shown) and drives: a sub-menu with a command for
// each preset, which lists the item on the clipboard, and one that opens the
// window there. Kept for the current user only, in
// HKEY_CURRENT_USER\Software\Classes, so no administrator is needed.

// Makes (or remakes) the three entries; false when one could not be written,
// and then none of them is left.
bool AddContextMenu();
// Deletes the three entries and all below them, and the keys above them
// that are left empty; false when an entry is there and stays.
bool RemoveContextMenu();
