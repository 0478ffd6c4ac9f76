#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/listing_options.h"

class TextServices;

// "設定１", "設定２", "設定３": the radio buttons, the tabs, the characters of
// flag and digit strings and the suffixes of the numbers all count them.
inline constexpr int kPresetCount = 3;

// Where the preset values live: named texts under one key of the user's
// settings. The program reads and writes whole values only.
class PresetStorage {
public:
    virtual ~PresetStorage() = default;
    // The stored text, up to its first NUL; "" when the value is missing or
    // cannot be read.
    virtual std::string Read(std::string_view name) = 0;
    // False when the value could not be stored.
    virtual bool Write(std::string_view name, std::string_view text) = 0;
};

// The names of the stored values. A flag string holds one character per
// preset ("1" is on), a digit string one list index per preset, and each
// per-preset number has a value of its own named base + "_01", "_02", "_03".
namespace PresetValue {
inline constexpr std::string_view NoExtension = "DEF_NONKAKUCHO";
inline constexpr std::string_view LowerCase = "DEF_SMALLCHAR";
inline constexpr std::string_view Reverse = "DEF_REVERSE";
inline constexpr std::string_view SubFolder = "DEF_SUB_FOLDER";
inline constexpr std::string_view FolderCheck = "DEF_FOLDER_CHECK";
inline constexpr std::string_view FolderType = "DEF_FOLDER_COMB";
inline constexpr std::string_view LineNumber = "DEF_LINENUMBER";
inline constexpr std::string_view SeparatorType = "DEF_SEP_TYPE";
inline constexpr std::string_view ZeroPad = "DEF_ZERO_CHECK";
inline constexpr std::string_view NextFolder = "DEF_NEXT_FOLDER";
inline constexpr std::string_view FileSize = "DEF_FILE_SIZE";
inline constexpr std::string_view FileDate = "DEF_FILE_DATE";
inline constexpr std::string_view NaturalOrder = "DEF_NATURAL_ORDER";
inline constexpr std::string_view SkipHidden = "DEF_SKIP_HIDDEN";
// Bases of the per-preset numbers.
inline constexpr std::string_view SubNumber = "DEF_SUB_NUMBER";
inline constexpr std::string_view SeparatorBefore = "DEF_SEP_BEFORE";
inline constexpr std::string_view SeparatorAfter = "DEF_SEP_AFTER";
inline constexpr std::string_view NumberLength = "DEF_NUMBERLEN";
}  // namespace PresetValue

// Decoding of the three value forms; shared by the transfer and the settings pages.
bool FlagAt(std::string_view text, int presetIndex);
int DigitAt(std::string_view text, int presetIndex);
// Leading white space, an optional sign, then digits up to the first other
// character; no digits gives 0. Values beyond 32 bits saturate.
std::int32_t ParsePresetNumber(std::string_view text);
// base + "_01" for preset index 0, "_02" for 1, "_03" for 2.
std::string NumberValueName(std::string_view base, int presetIndex);

// Encoding, for the settings dialog's save. Flag and digit strings always
// get exactly one character per preset, in preset order.
std::string FlagString(const std::array<bool, kPresetCount>& flags);
// Each list's selected index as one digit. A list without a selection (or
// with an index that is no single digit) keeps the character that `stored`
// has at its position, '0' past its end, so the later presets never shift.
std::string DigitString(const std::array<int, kPresetCount>& selections, std::string_view stored);
// Whether DigitString needs the stored text at all.
bool NeedsStoredDigits(const std::array<int, kPresetCount>& selections);
// An edit's text as it is stored: unchanged, cut to its first 9 bytes
// without splitting a double-byte character.
std::string PresetNumberText(std::string_view editText, const TextServices& text);

// The three presets. Holds no state: every call reads or writes the storage
// afresh, so a reader always sees the last save.
class PresetStore {
public:
    explicit PresetStore(PresetStorage& storage) : m_storage(storage) {}

    std::string readValue(std::string_view name) const { return m_storage.Read(name); }
    bool writeValue(std::string_view name, std::string_view text) const { return m_storage.Write(name, text); }
    bool flagAt(int presetIndex, std::string_view name) const { return FlagAt(readValue(name), presetIndex); }
    int digitAt(int presetIndex, std::string_view name) const { return DigitAt(readValue(name), presetIndex); }
    // `name` carries its suffix already (NumberValueName).
    std::int32_t numberOf(std::string_view name) const { return ParsePresetNumber(readValue(name)); }

private:
    PresetStorage& m_storage;
};

// The options of preset `presetIndex` (0, 1, 2), every one read afresh: the
// preset-wide values first, then the preset's own numbers.
ListingOptions LoadFromPreset(const PresetStore& store, int presetIndex);
