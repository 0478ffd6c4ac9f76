#include "presets/preset_store.h"

#include <limits>

namespace {
char CharAt(std::string_view text, int presetIndex) {
    return presetIndex >= 0 && static_cast<std::size_t>(presetIndex) < text.size() ? text[presetIndex] : '\0';
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

bool FlagAt(std::string_view text, int presetIndex) { return CharAt(text, presetIndex) == '1'; }

int DigitAt(std::string_view text, int presetIndex) {
    const char c = CharAt(text, presetIndex);
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::int32_t ParsePresetNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    // Accumulate toward the sign's limit so that every 32-bit value, the
    // most negative one included, converts exactly.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(magnitude == limit ? limit - 1 : magnitude);
}

std::string NumberValueName(std::string_view base, int presetIndex) {
    std::string name(base);
    name += "_0";
    name += static_cast<char>('1' + presetIndex);
    return name;
}
