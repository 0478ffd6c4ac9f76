#pragma once

#include <windows.h>

#include <optional>

#include "engine/win/transfer.h"

// Asks with the system's save dialog where a listing goes: the file (".txt"
// added when no extension is typed) and its type, Shift_JIS or UTF-8 with a
// byte-order mark. It opens in the folder and with the type of the last save,
// which it keeps per user in HKEY_CURRENT_USER\Software\Kestrin\Morrowtide\Save
// (Folder, REG_SZ; Type, REG_DWORD: 0 Shift_JIS, 1 UTF-8). None when the user
// cancels or the dialog cannot be had. COM must be ready on the thread.
std::optional<TransferTarget> AskSaveTarget(HWND owner);
