#include "platform/win/text_file_output.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"
#include "text/path_rules.h"

namespace {
bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        // One write takes at most a DWORD's worth.
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool WriteListing(HANDLE file, const std::string& text, bool utf8) {
    return utf8 ? WriteAll(file, "\xEF\xBB\xBF") && WriteAll(file, text)
                : WriteAll(file, AnsiFromUtf16(Utf16FromUtf8(text)));
}

// CON, CONIN$ and CONOUT$ are the only device names that begin with "CON". A windowed program has no console of its
// own; whether one opens anyway depends on how the program was started, so the name decides.
bool IsConsole(std::string_view path) {
    const std::string_view name = LastName(path);
    return IsDeviceName(path) && name.size() >= 3 && ::_strnicmp(name.data(), "CON", 3) == 0;
}

// A device is written as it is: no temporary to put in its place, and no flush, which NUL refuses.
bool WriteDevice(const std::string& path, const std::string& text, bool utf8) {
    if (IsConsole(path)) return false;
    const UniqueFile device(::CreateFileW(FileSystemPath(path).c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    return device && WriteListing(device.get(), text, utf8);
}

// The file the listing replaces: where a symbolic link at `path` leads, so that the link stays a link; `path` itself
// when nothing is there yet. Nothing for a link that leads nowhere, which a plain file would replace. Wine reports a
// link to a file as a plain file, so every file there is asked where it really is.
std::optional<std::wstring> Destination(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const UniqueFile existing(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    if (existing) {
        std::wstring final(::GetFinalPathNameByHandleW(existing.get(), nullptr, 0, VOLUME_NAME_DOS), L'\0');
        const DWORD length = ::GetFinalPathNameByHandleW(existing.get(), final.data(), static_cast<DWORD>(final.size()),
                                                         VOLUME_NAME_DOS);
        if (length != 0 && length < final.size()) return final.substr(0, length);
    }
    return link ? std::nullopt : std::optional(path);
}
}  // namespace

bool TextFileOutput::Finish() {
    if (IsDeviceName(m_path)) return WriteDevice(m_path, m_text, m_utf8);
    const std::optional<std::wstring> target = Destination(FileSystemPath(m_path));
    if (!target) return false;
    // A short name of its own: the target's name with a suffix would not fit beside a name near the 255 characters a
    // name may have. A run that is killed leaves it.
    const std::wstring temporary =
        target->substr(0, target->rfind(L'\\') + 1) + L"~listora-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    bool written = false;
    {
        const UniqueFile file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        written = WriteListing(file.get(), m_text, m_utf8) && ::FlushFileBuffers(file.get());
    }
    if (written &&
        ::MoveFileExW(temporary.c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}
