// The preset value forms over any stored bytes, read through the store as a
// transfer reads them, and written back as the settings dialog writes them.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "tests/fakes/memory_preset_storage.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/text_services.h"

namespace {
// The C library's reading of a decimal number, held to 32 bits.
std::int32_t LibraryNumber(const std::string& text) {
    using Limits = std::numeric_limits<std::int32_t>;
    return static_cast<std::int32_t>(
        std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), Limits::min(), Limits::max()));
}
}  // namespace

// Byte 0: the preset index asked for; bytes 1-3: the three lists' selections
// (an odd one also a checked box); then a stored text and an edit's text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const int index = static_cast<std::int8_t>(data[0]);
    const std::array<int, 3> selections = {static_cast<std::int8_t>(data[1]), static_cast<std::int8_t>(data[2]),
                                           static_cast<std::int8_t>(data[3])};
    const std::vector<std::string_view> fields = Fields(Bytes(data + 4, size - 4));
    const std::string stored(fields[0]);
    MemoryPresetStorage storage;
    const PresetStore store(storage);

    store.writeValue("V", stored);
    const char c = index >= 0 && static_cast<std::size_t>(index) < stored.size() ? stored[index] : '\0';
    FUZZ_REQUIRE(store.flagAt(index, "V") == (c == '1'));
    FUZZ_REQUIRE(store.digitAt(index, "V") == (c >= '0' && c <= '9' ? c - '0' : 0));
    FUZZ_REQUIRE(store.numberOf("V") == LibraryNumber(stored));

    const std::array<bool, 3> flags = {selections[0] % 2 != 0, selections[1] % 2 != 0, selections[2] % 2 != 0};
    store.writeValue("F", FlagString(flags));
    store.writeValue("D", DigitString(selections, stored));
    FUZZ_REQUIRE(store.readValue("F").size() == 3);
    FUZZ_REQUIRE(store.readValue("D").size() == 3);
    bool allChosen = true;
    for (int p = 0; p < 3; ++p) {
        const int chosen = selections[static_cast<std::size_t>(p)];
        allChosen = allChosen && chosen >= 0 && chosen <= 9;
        FUZZ_REQUIRE(store.flagAt(p, "F") == flags[static_cast<std::size_t>(p)]);
        FUZZ_REQUIRE(store.digitAt(p, "D") == (chosen >= 0 && chosen <= 9 ? chosen : store.digitAt(p, "V")));
    }
    FUZZ_REQUIRE(NeedsStoredDigits(selections) == !allChosen);

    const std::string_view edit = fields.size() > 1 ? fields[1] : std::string_view();
    store.writeValue("N", PresetNumberText(edit, TextServices::Cp932()));
    const std::string kept = store.readValue("N");
    FUZZ_REQUIRE(edit.starts_with(kept));
    FUZZ_REQUIRE(kept.size() <= 9);
    FUZZ_REQUIRE(kept.size() >= 8 || kept.size() == edit.size());
    FUZZ_REQUIRE(store.numberOf("N") == LibraryNumber(kept));
    return 0;
}
