#pragma once

#include <windows.h>

#include <string>

// String `id` of the program's string table, in the ANSI code page; "" when
// there is none.
std::string LoadResourceString(UINT id);
