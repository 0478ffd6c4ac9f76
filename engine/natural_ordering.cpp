#include "engine/natural_ordering.h"

#include <algorithm>
#include <cstdint>

namespace {
// Marks in the key, each below the next: a name that ends sorts before one
// that goes on with a number, and a number before other text. Every part of
// a key tells where it ends, so keys of whole paths compare part by part.
constexpr char kEnd = '\x00';
constexpr char kNumber = '\x01';
constexpr char kText = '\x02';
// Before a locale key's bytes 0 and 1, which become 1 1 and 1 2: the end
// mark stays below every byte of a key, and the keys keep their order.
constexpr char kEscape = '\x01';
constexpr std::size_t kLongCount = 0xFF;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits without their leading zeros, after their count: more digits
// make a greater number, and as many compare digit by digit.
void AppendNumber(std::string_view digits, std::string& keys) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    keys += kNumber;
    const std::uint64_t count = digits.size();
    if (count < kLongCount) {
        keys += static_cast<char>(count);
    } else {
        keys += static_cast<char>(kLongCount);
        for (int shift = 56; shift >= 0; shift -= 8) keys += static_cast<char>((count >> shift) & 0xFF);
    }
    keys += digits;
}
}  // namespace

void NaturalOrdering::AppendText(std::string_view run, std::string& keys) const {
    m_runKey.clear();
    m_locale.AppendSortKey(run, m_runKey);
    keys += kText;
    for (const char c : m_runKey) {
        if (c == '\x00' || c == '\x01') {
            keys += kEscape;
            keys += static_cast<char>(c + 1);
        } else {
            keys += c;
        }
    }
    keys += kEnd;
}

void NaturalOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    for (std::size_t begin = 0;;) {
        // In UTF-8 a "\" byte is always the separator.
        const std::size_t end = std::min(text.find('\\', begin), text.size());
        std::string_view name = text.substr(begin, end - begin);
        while (!name.empty()) {
            const bool digits = IsDigit(name.front());
            std::size_t length = 1;
            while (length < name.size() && IsDigit(name[length]) == digits) ++length;
            if (digits) {
                AppendNumber(name.substr(0, length), keys);
            } else {
                AppendText(name.substr(0, length), keys);
            }
            name.remove_prefix(length);
        }
        if (end == text.size()) return;
        keys += kEnd;
        begin = end + 1;
    }
}
