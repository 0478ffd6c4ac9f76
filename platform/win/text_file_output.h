#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "engine/listing_output.h"

// A listing written to a file once it is whole: in the ANSI code page (the
// bytes the clipboard's CF_TEXT gets) or in UTF-8 with a byte-order mark and
// every name exact. It is written under a temporary name beside the file and
// then put in the file's place, so the file is never seen half-written and a
// run that fails leaves an existing file as it was. A symbolic link is kept:
// the file it leads to is replaced. A device (NUL) is written directly; the
// console is refused, as a windowed program has none.
class TextFileOutput : public ListingOutput {
public:
    // `path` is UTF-8 and full.
    TextFileOutput(std::string path, bool utf8) : m_path(std::move(path)), m_utf8(utf8) {}

    bool Clear() override {
        m_text.clear();
        return true;
    }
    void Append(std::string_view piece) override { m_text += piece; }
    bool Finish() override;

private:
    std::string m_path;
    bool m_utf8;
    std::string m_text;
};
