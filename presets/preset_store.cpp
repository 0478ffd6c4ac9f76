#include "presets/preset_store.h"

#include <limits>

#include "text/text_services.h"

namespace {
char CharAt(std::string_view text, int presetIndex) {
    return presetIndex >= 0 && static_cast<std::size_t>(presetIndex) < text.size() ? text[presetIndex] : '\0';
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigitIndex(int index) { return index >= 0 && index <= 9; }

// Every text the program writes for a number fits the readers' 12-byte buffers.
constexpr std::size_t kNumberTextBytes = 9;
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

std::string FlagString(const std::array<bool, 3>& flags) {
    std::string text;
    for (const bool on : flags) text += on ? '1' : '0';
    return text;
}

bool NeedsStoredDigits(const std::array<int, 3>& selections) {
    for (const int index : selections) {
        if (!IsDigitIndex(index)) return true;
    }
    return false;
}

std::string DigitString(const std::array<int, 3>& selections, std::string_view stored) {
    std::string text;
    for (int p = 0; p < 3; ++p) {
        const int index = selections[static_cast<std::size_t>(p)];
        if (IsDigitIndex(index)) {
            text += static_cast<char>('0' + index);
        } else {
            const char kept = CharAt(stored, p);
            text += kept != '\0' ? kept : '0';
        }
    }
    return text;
}

std::string PresetNumberText(std::string_view editText, const TextServices& text) {
    return std::string(text.CutToBytes(editText, kNumberTextBytes));
}
