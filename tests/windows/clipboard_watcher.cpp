// A second program for the clipboard tests.
//   clipboard_watcher watch OUT STOP READY: until event STOP is set, reads the
//     clipboard text over and over and writes every different text it saw to
//     file OUT, each as a 4-byte length and the bytes.
//   clipboard_watcher hold MS READY: holds the clipboard open for MS ms.
// READY is an event set once the watcher is at work.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
bool ReadText(std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    const HGLOBAL block = GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (bytes) {
        text.assign(bytes, strnlen(bytes, GlobalSize(block)));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes != nullptr;
}

void Signal(const char* name) {
    const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (event) {
        SetEvent(event);
        CloseHandle(event);
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "watch") == 0) {
        const HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
        if (!stop) return 2;
        std::vector<std::string> seen;
        std::string text;
        Signal(argv[4]);
        while (WaitForSingleObject(stop, 1) == WAIT_TIMEOUT) {
            if (ReadText(text) && (seen.empty() || seen.back() != text)) seen.push_back(text);
        }
        CloseHandle(stop);
        FILE* out = std::fopen(argv[2], "wb");
        if (!out) return 3;
        for (const std::string& snapshot : seen) {
            const auto length = static_cast<unsigned>(snapshot.size());
            std::fwrite(&length, sizeof length, 1, out);
            std::fwrite(snapshot.data(), 1, snapshot.size(), out);
        }
        std::fclose(out);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) {
        if (!OpenClipboard(nullptr)) return 2;
        Signal(argv[3]);
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        CloseClipboard();
        return 0;
    }
    return 1;
}
