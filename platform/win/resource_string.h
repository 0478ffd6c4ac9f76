#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// String `id` of the program's string table, in the ANSI code page; "" when
// there is none.
std::string LoadResourceString(UINT id);
// The same string exactly as the table holds it, whatever its length.
std::wstring LoadResourceText(UINT id);
// String `id` with its "%s" replaced by `argument` (UTF-8).
std::wstring FormatResourceText(UINT id, std::string_view argument);
// String `id` with its "%u" replaced by `count`.
std::wstring FormatResourceCount(UINT id, std::size_t count);
// Whether message boxes appear: a script that runs the program quietly reads
// its exit code instead.
enum class Messages { Shown, Quiet };

// A message box of `owner` saying `text`, titled with string `titleId`;
// `type` as MessageBoxW takes it. Every box of the program comes from here:
// with Messages::Quiet none appears and IDOK is the answer.
int ShowMessage(HWND owner, Messages messages, const std::wstring& text, UINT titleId, UINT type);
// A message box with text `textId` of the string table.
int ResourceMessageBox(HWND owner, Messages messages, UINT textId, UINT titleId, UINT type);
