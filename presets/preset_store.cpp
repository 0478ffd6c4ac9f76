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

std::string FlagString(const std::array<bool, kPresetCount>& flags) {
    std::string text;
    for (const bool on : flags) text += on ? '1' : '0';
    return text;
}

bool NeedsStoredDigits(const std::array<int, kPresetCount>& selections) {
    for (const int index : selections) {
        if (!IsDigitIndex(index)) return true;
    }
    return false;
}

std::string DigitString(const std::array<int, kPresetCount>& selections, std::string_view stored) {
    std::string text;
    for (int p = 0; p < kPresetCount; ++p) {
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

ListingOptions LoadFromPreset(const PresetStore& store, int presetIndex) {
    const int p = presetIndex;
    ListingOptions options;
    options.noExtension = store.flagAt(p, PresetValue::NoExtension);
    options.lowerCase = store.flagAt(p, PresetValue::LowerCase);
    options.reverse = store.flagAt(p, PresetValue::Reverse);
    options.subFolders = store.flagAt(p, PresetValue::SubFolder);
    options.folderNameOutput = store.flagAt(p, PresetValue::FolderCheck);
    options.folderOutputType = store.digitAt(p, PresetValue::FolderType);
    options.lineNumbers = store.flagAt(p, PresetValue::LineNumber);
    options.separatorType = store.digitAt(p, PresetValue::SeparatorType);
    options.zeroPad = store.flagAt(p, PresetValue::ZeroPad);
    options.nextFolder = store.flagAt(p, PresetValue::NextFolder);
    options.fileSize = store.flagAt(p, PresetValue::FileSize);
    options.fileDate = store.flagAt(p, PresetValue::FileDate);
    options.naturalOrder = store.flagAt(p, PresetValue::NaturalOrder);
    options.skipHidden = store.flagAt(p, PresetValue::SkipHidden);
    options.subFolderDepth = store.numberOf(NumberValueName(PresetValue::SubNumber, p));
    options.spacesBefore = store.numberOf(NumberValueName(PresetValue::SeparatorBefore, p));
    options.spacesAfter = store.numberOf(NumberValueName(PresetValue::SeparatorAfter, p));
    options.numberWidth = store.numberOf(NumberValueName(PresetValue::NumberLength, p));
    return options;
}

std::string PresetNumberText(std::string_view editText, const TextServices& text) {
    return std::string(text.CutToBytes(editText, kNumberTextBytes));
}
