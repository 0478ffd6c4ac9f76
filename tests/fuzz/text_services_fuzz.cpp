// The text services over any bytes, in cp932, UTF-8 and a single-byte page:
// nothing is read or written past a text or a buffer, and what they find,
// change or keep is made of whole characters.
#include <algorithm>
#include <memory>

#include "tests/fuzz/fuzz_support.h"
#include "text/text_services.h"

// Byte 0 chooses the page, byte 1 is the byte count to cut to; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const TextServices kPages[] = {TextServices::Cp932(), TextServices::Utf8(), TextServices()};
    const TextServices& text = kPages[data[0] % 3];
    const std::size_t limit = data[1];
    // The text alone in a block of its own, so that a read past its end is seen.
    const std::size_t length = size - 2;
    const auto bytes = std::make_unique<char[]>(length);
    std::copy(data + 2, data + size, bytes.get());
    const std::string_view s(bytes.get(), length);

    // The characters as CharLength walks them: at[pos] is the length of the one starting at pos, 0 inside one.
    std::vector<std::size_t> at(length + 1, 0);
    std::size_t separators = 0, last = std::string_view::npos;
    for (std::size_t pos = 0; pos < length; pos += at[pos]) {
        at[pos] = text.CharLength(s, pos);
        FUZZ_REQUIRE(at[pos] >= 1);
        FUZZ_REQUIRE(at[pos] <= (data[0] % 3 == 1 ? 4u : 2u));
        FUZZ_REQUIRE(pos + at[pos] <= length);
        FUZZ_REQUIRE(at[pos] == 1 || text.IsLeadByte(static_cast<unsigned char>(s[pos])));
        // In UTF-8 the bytes after the first continue it: none of them is ASCII.
        for (std::size_t i = 1; i < at[pos] && data[0] % 3 == 1; ++i) FUZZ_REQUIRE((s[pos + i] & 0xC0) == 0x80);
        if (s[pos] == '\\') ++separators, last = pos;
    }
    at[length] = 1;
    FUZZ_REQUIRE(text.FindLastSeparator(s) == last);
    FUZZ_REQUIRE(text.CountSeparators(s) == separators);
    const bool endsWithSeparator = last != std::string_view::npos && last + 1 == length;
    FUZZ_REQUIRE(text.EndsWithSeparator(s) == endsWithSeparator);

    std::string added(s), removed(s), lowered(s);
    text.AddBackslash(added);
    text.RemoveBackslash(removed);
    FUZZ_REQUIRE(added == std::string(s) + (endsWithSeparator ? "" : "\\"));
    FUZZ_REQUIRE(removed == s.substr(0, endsWithSeparator ? length - 1 : length));
    text.MakeLowerAscii(lowered);
    FUZZ_REQUIRE(lowered.size() == length);
    for (std::size_t i = 0; i < length; ++i) {
        const bool letter = at[i] == 1 && s[i] >= 'A' && s[i] <= 'Z';
        FUZZ_REQUIRE(lowered[i] == (letter ? static_cast<char>(s[i] - 'A' + 'a') : s[i]));
    }

    // The longest prefix within the limit that ends between two characters.
    const std::string_view cut = text.CutToBytes(s, limit);
    FUZZ_REQUIRE(cut.data() == s.data());
    FUZZ_REQUIRE(cut.size() <= limit);
    FUZZ_REQUIRE(at[cut.size()] > 0);
    FUZZ_REQUIRE(cut.size() == length || cut.size() + at[cut.size()] > limit);
    const auto buffer = std::make_unique<char[]>(limit + 1);
    text.CopyToBuffer(s, buffer.get(), limit + 1);
    FUZZ_REQUIRE(std::string_view(buffer.get(), cut.size()) == cut);
    FUZZ_REQUIRE(buffer[cut.size()] == '\0');
    // Asked for at most as many bytes as there are, it reads no further.
    if (length > 0) {
        const std::size_t most = std::min(limit, length - 1);
        FUZZ_REQUIRE(BoundedText(s.data(), most) == s.substr(0, std::min(s.find('\0'), most + 1)));
    }
    return 0;
}
