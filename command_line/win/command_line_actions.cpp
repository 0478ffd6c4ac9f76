#include "command_line/win/command_line_actions.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "command_line/win/context_menu_keys.h"
#include "command_line/win/send_to_shortcuts.h"
#include "engine/win/preset_transfer.h"
#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "platform/win/wide_text.h"
#include "resources/resource.h"
#include "text/extension_rule.h"
#include "text/path_rules.h"
#include "text/text_services.h"

namespace {
// GetFullPathNameW's answer, at any length.
std::optional<std::string> SystemFullPath(const std::string& path) {
    const std::wstring wide = Utf16FromUtf8(path);
    std::wstring full(::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return std::nullopt;
    full.resize(::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return Utf8FromUtf16(full);
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(FileSystemPath(path).c_str()); }

// `path` made full with every name as written ("dir." and "sp " are names
// of their own); where that names nothing, as the system reads it.
std::optional<std::string> FullPath(const std::string& path) {
    std::wstring current(::GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    const std::string exact = ExactFullPath(path, Utf8FromUtf16(current));
    if (!exact.empty() && Attributes(exact) != INVALID_FILE_ATTRIBUTES) return exact;
    return SystemFullPath(path);
}

// /ext: in the code page, or the fault that keeps it from there.
CommandLineError CheckExtension(const std::string& extension) {
    const std::wstring wide = Utf16FromUtf8(extension);
    if (!FitsCodePage(wide) || HasForbiddenExtensionCharacter(extension)) return CommandLineError::BadExtension;
    if (AnsiFromUtf16(wide).size() > kMaxExtensionBytes) return CommandLineError::ExtensionTooLong;
    return CommandLineError::None;
}

Messages MessagesFor(const CommandLine& line) { return line.quiet ? Messages::Quiet : Messages::Shown; }
}  // namespace

ParsedCommandLine ReadCommandLine(std::wstring_view commandLine) {
    ParsedCommandLine parsed = ParseArguments(SplitArguments(Utf8FromUtf16(commandLine)));
    if (parsed.error != CommandLineError::None) return parsed;
    if (const CommandLineError fault = CheckExtension(parsed.line.extension); fault != CommandLineError::None) {
        parsed.error = fault;
        parsed.argument = parsed.line.extension;
        return parsed;
    }
    for (std::string& path : parsed.line.paths) {
        const std::optional<std::string> full = FullPath(path);
        if (!full || Attributes(*full) == INVALID_FILE_ATTRIBUTES) {
            parsed.error = CommandLineError::PathNotFound;
            parsed.argument = path;
            return parsed;
        }
        path = StartPath(*full);
    }
    // Made full now: the run must not depend on where it is when it writes.
    if (!parsed.line.outputFile.empty())
        parsed.line.outputFile = FullPath(parsed.line.outputFile).value_or(parsed.line.outputFile);
    return parsed;
}

int ShowUsage(const ParsedCommandLine& parsed) {
    std::wstring text = LoadResourceText(IDS_USAGE);
    if (parsed.error != CommandLineError::None) {
        const UINT problem = IDS_ARG_UNKNOWN_SWITCH + static_cast<UINT>(parsed.error) - 1;
        text = FormatResourceText(problem, parsed.argument) + L"\n\n" + text;
    }
    const bool fault = parsed.error != CommandLineError::None;
    ShowMessage(nullptr, MessagesFor(parsed.line), text, IDS_APP_TITLE,
                (fault ? MB_ICONWARNING : MB_ICONINFORMATION) | MB_OK);
    return fault ? kExitBadArguments : kExitDone;
}

int RunOneShotTransfer(const CommandLine& line) {
    const TextServices names = TextServices::Utf8();
    std::vector<std::string> folders;
    std::vector<std::wstring> listed;  // the same, wide, to compare
    for (const std::string& path : line.paths) {
        std::string folder = Attributes(path) & FILE_ATTRIBUTE_DIRECTORY ? path : FolderOf(names, path);
        // Names differ in case only where the file system is told to care.
        std::wstring wide = Utf16FromUtf8(folder);
        const bool twice = std::ranges::any_of(listed, [&](const std::wstring& other) {
            return ::CompareStringOrdinal(wide.data(), static_cast<int>(wide.size()), other.data(),
                                          static_cast<int>(other.size()), TRUE) == CSTR_EQUAL;
        });
        if (twice) continue;
        folders.push_back(std::move(folder));
        listed.push_back(std::move(wide));
    }
    const TransferOutcome outcome = RunPresetTransfer(
        {.presetIndex = line.preset - 1,
         .extension = ExtensionFromEntry(SystemTextServices(), AnsiFromUtf16(Utf16FromUtf8(line.extension))),
         .startPaths = std::move(folders),
         .target = {line.outputFile, line.utf8},
         .messages = MessagesFor(line)});
    switch (outcome) {
        case TransferOutcome::Delivered:
            return kExitDone;
        case TransferOutcome::Incomplete:
            return kExitIncomplete;
        case TransferOutcome::Failed:
            break;
    }
    return kExitFailed;
}

int ChangeSendTo(const CommandLine& line) {
    const bool add = line.action == CommandLine::Action::AddSendTo;
    if (add ? AddSendToShortcuts() : RemoveSendToShortcuts()) return kExitDone;
    const std::string folder = Utf8FromUtf16(SendToFolder().value_or(L""));
    ShowMessage(nullptr, MessagesFor(line), FormatResourceText(IDS_SENDTO_FAILED, folder), IDS_APP_TITLE,
                MB_ICONWARNING | MB_OK);
    return kExitFailed;
}

int ChangeContextMenu(const CommandLine& line) {
    const bool add = line.action == CommandLine::Action::AddContextMenu;
    if (add ? AddContextMenu() : RemoveContextMenu()) return kExitDone;
    ResourceMessageBox(nullptr, MessagesFor(line), IDS_CONTEXTMENU_FAILED, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
    return kExitFailed;
}
