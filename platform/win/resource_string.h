#pragma once

#include <windows.h>

#include <string>

// String `id` of the program's string table, in the ANSI code page; "" when
// there is none.
std::string LoadResourceString(UINT id);
// A message box of `owner` with text `textId` of the string table, titled
// with string `titleId`; `type` as MessageBoxA takes it.
int ResourceMessageBox(HWND owner, UINT textId, UINT titleId, UINT type);
