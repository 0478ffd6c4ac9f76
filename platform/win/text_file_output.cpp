#include "platform/win/text_file_output.h"

#include <windows.h>

#include <algorithm>

#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

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
}  // namespace

bool TextFileOutput::Finish() {
    const std::wstring target = FileSystemPath(m_path);
    const std::wstring temporary = FileSystemPath(m_path + ".listora-" + std::to_string(::GetCurrentProcessId()));
    bool written = false;
    {
        const UniqueFile file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        written = m_utf8 ? WriteAll(file.get(), "\xEF\xBB\xBF") && WriteAll(file.get(), m_text)
                         : WriteAll(file.get(), AnsiFromUtf16(Utf16FromUtf8(m_text)));
        written = written && ::FlushFileBuffers(file.get());
    }
    if (written &&
        ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}
