#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Byte text in an ANSI code page or in UTF-8. In a double-byte page (cp932)
// the second byte of a character can have the value of '\\' or of an ASCII
// letter (the kanji "hyou", table, is 0x95 0x5C), so every separator search
// and case mapping walks whole characters. File and folder names are UTF-8,
// where no byte of a longer character is ASCII; the texts kept in the code
// page (the extension, the registry values) are cp932.
class TextServices {
public:
    // A single-byte page until lead-byte ranges are added.
    TextServices() = default;
    static TextServices Cp932();
    static TextServices Utf8();

    // Marks the bytes first..last (inclusive) as lead bytes.
    void AddLeadByteRange(unsigned char first, unsigned char last);

    bool IsLeadByte(unsigned char byte) const { return m_lead[byte]; }

    // Length in bytes of the character that starts at `pos`: 2 for a lead
    // byte followed by a second byte; in UTF-8 the length its first byte
    // gives when the bytes that follow continue it; else 1.
    std::size_t CharLength(std::string_view text, std::size_t pos) const;

    // Position of the last '\\' that is a character of its own, or npos.
    std::size_t FindLastSeparator(std::string_view text) const;
    // Number of '\\' characters in the text.
    std::size_t CountSeparators(std::string_view text) const;
    bool EndsWithSeparator(std::string_view text) const;
    // Appends '\\' unless the text already ends with one.
    void AddBackslash(std::string& path) const;
    // Removes one trailing '\\' if there is one.
    void RemoveBackslash(std::string& path) const;

    // A..Z become a..z; double-byte characters, full-width letters among
    // them, are left as they are.
    void MakeLowerAscii(std::string& text) const;

    // The longest prefix of at most `maxBytes` bytes that does not end in the
    // middle of a double-byte character.
    std::string_view CutToBytes(std::string_view text, std::size_t maxBytes) const;
    // Copies into `buffer` (`size` bytes, at least 1) as much of `text` as
    // fits with its terminator, never half a double-byte character.
    void CopyToBuffer(std::string_view text, char* buffer, std::size_t size) const;

private:
    std::array<bool, 256> m_lead{};
    bool m_utf8 = false;
};

// `text` up to its terminator, read no further than `maxBytes` + 1 bytes:
// enough to cut it to `maxBytes`. "" for a null pointer.
std::string_view BoundedText(const char* text, std::size_t maxBytes);
