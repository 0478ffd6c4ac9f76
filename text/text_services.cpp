#include "text/text_services.h"

#include <cstring>

TextServices TextServices::Cp932() {
    TextServices services;
    services.AddLeadByteRange(0x81, 0x9F);
    services.AddLeadByteRange(0xE0, 0xFC);
    return services;
}

TextServices TextServices::Utf8() {
    TextServices services;
    services.AddLeadByteRange(0xC2, 0xF4);
    services.m_utf8 = true;
    return services;
}

void TextServices::AddLeadByteRange(unsigned char first, unsigned char last) {
    for (unsigned b = first; b <= last; ++b) m_lead[b] = true;
}

std::size_t TextServices::CharLength(std::string_view text, std::size_t pos) const {
    const auto first = static_cast<unsigned char>(text[pos]);
    // A lead byte at the very end (a cut text) stands alone.
    if (!IsLeadByte(first) || pos + 1 >= text.size()) return 1;
    if (!m_utf8) return 2;
    // A broken sequence is taken a byte at a time, so it never hides a '\\'.
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size() || (static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

std::size_t TextServices::FindLastSeparator(std::string_view text) const {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == '\\') found = pos;
    }
    return found;
}

std::size_t TextServices::CountSeparators(std::string_view text) const {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == '\\') ++count;
    }
    return count;
}

bool TextServices::EndsWithSeparator(std::string_view text) const {
    return !text.empty() && FindLastSeparator(text) == text.size() - 1;
}

void TextServices::AddBackslash(std::string& path) const {
    if (!EndsWithSeparator(path)) path += '\\';
}

void TextServices::RemoveBackslash(std::string& path) const {
    if (EndsWithSeparator(path)) path.pop_back();
}

void TextServices::MakeLowerAscii(std::string& text) const {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        if (length == 1 && text[pos] >= 'A' && text[pos] <= 'Z') text[pos] = static_cast<char>(text[pos] - 'A' + 'a');
        pos += length;
    }
}

std::string_view TextServices::CutToBytes(std::string_view text, std::size_t maxBytes) const {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharLength(text, end);
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

void TextServices::CopyToBuffer(std::string_view text, char* buffer, std::size_t size) const {
    const std::string_view kept = CutToBytes(text, size - 1);
    std::memcpy(buffer, kept.data(), kept.size());
    buffer[kept.size()] = '\0';
}

std::string_view BoundedText(const char* text, std::size_t maxBytes) {
    return text ? std::string_view(text, ::strnlen(text, maxBytes + 1)) : std::string_view();
}
