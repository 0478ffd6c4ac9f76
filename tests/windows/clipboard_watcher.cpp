// The transfer test's other program: holds the clipboard open until event argv[1] is set, then reads it until it
// holds argv[2]; exits with how many texts it saw, each longer and the start of argv[2] (0 at the first that was not).
#include "tests/support/driver.h"

int main(int, char** argv) {
    while (!::OpenClipboard(nullptr)) ::Sleep(1);
    ::WaitForSingleObject(::OpenEventA(SYNCHRONIZE, FALSE, argv[1]), INFINITE);
    ::CloseClipboard();
    int seen = 0;
    for (std::string last;; ::Sleep(1)) {
        const std::optional<std::string> text = support::ClipboardText();
        if (!text || *text == last) continue;
        if (text->size() < last.size() || !std::string_view(argv[2]).starts_with(*text)) return 0;
        if (last = *text, ++seen; last == argv[2]) return seen;
    }
}
