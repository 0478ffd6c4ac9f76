#include "engine/natural_ordering.h"

#include <algorithm>
#include <cstdint>

namespace {
// Every part of a key shows where it ends, so the keys of whole paths compare
// part by part. The end of a name ranks lowest: a folder's sub-folders come
// before a sibling whose name goes on.
constexpr char kEnd = '\x00';
constexpr char kNumber = '\x01';
// Before a locale key's bytes 0 and 1, which become 1 1 and 1 2: the end mark
// stays below every byte of a key, and the keys keep their order.
constexpr char kEscape = '\x01';
constexpr std::size_t kLongCount = 0xFF;
// Runs whose keys are kept, each of a few characters (a long one seldom
// comes again); then the keeping starts again, so that the memory stays
// small whatever the names.
constexpr std::size_t kKeptRuns = 4096;
constexpr std::size_t kKeptRunBytes = 64;

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

void NaturalOrdering::AppendText(const std::string& run, std::string& keys) const {
    const auto kept = m_runKeys.find(run);
    if (kept != m_runKeys.end()) {
        keys += kept->second;
        return;
    }
    if (m_runKeys.size() == kKeptRuns) m_runKeys.clear();
    std::string localeKey;
    m_locale.AppendSortKey(run, localeKey);
    std::string escaped;
    std::string& key = run.size() <= kKeptRunBytes ? m_runKeys[run] : escaped;
    for (const char c : localeKey) {
        if (c == '\x00' || c == '\x01') {
            key += kEscape;
            key += static_cast<char>(c + 1);
        } else {
            key += c;
        }
    }
    key += kEnd;
    keys += key;
}

void NaturalOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    for (std::size_t begin = 0;;) {
        // In UTF-8 a "\" byte is always the separator.
        const std::size_t end = std::min(text.find('\\', begin), text.size());
        std::string_view name = text.substr(begin, end - begin);
        while (!name.empty()) {
            const std::size_t number = std::min(name.find_first_of("0123456789"), name.size());
            // The text up to a number, with the number's place weighing as a
            // digit there: "x.txt" and "x 2" keep the locale's order of "."
            // and the blank before digits, and "x" alone sorts before "x1".
            m_run.assign(name.substr(0, number));
            if (number < name.size()) m_run += '0';
            AppendText(m_run, keys);
            name.remove_prefix(number);
            std::size_t digits = 0;
            while (digits < name.size() && IsDigit(name[digits])) ++digits;
            if (digits > 0) AppendNumber(name.substr(0, digits), keys);
            name.remove_prefix(digits);
        }
        if (end == text.size()) return;
        keys += kEnd;
        begin = end + 1;
    }
}
