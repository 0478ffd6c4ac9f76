#pragma once

#include <optional>
#include <string>

// The entries of the user's Send To menu: "Listora" and each preset's name,
// shortcuts that run this program with /1 to /3 and show its icon, so that
// Explorer hands them the items chosen. COM must be ready on the thread.

// The folder that holds them; none when the system names none.
std::optional<std::wstring> SendToFolder();
// The shortcut of preset `preset` (1 to 3) in `folder`.
std::wstring SendToShortcutPath(const std::wstring& folder, int preset);
// Makes (or remakes) the three; false when one could not be saved, and then
// none of them is left.
bool AddSendToShortcuts();
// Deletes the three; false when one is there and stays.
bool RemoveSendToShortcuts();
