#include "engine/sorted_path_list.h"

#include <algorithm>
#include <numeric>

#include "engine/string_ordering.h"

void SortedPathList::Reset() {
    m_texts.clear();
    m_entries.clear();
}

void SortedPathList::Add(std::string_view path, std::uint64_t size, std::uint64_t lastWrite) {
    m_entries.push_back({m_texts.size(), path.size(), size, lastWrite});
    m_texts += path;
}

std::string_view SortedPathList::At(std::size_t index) const {
    const Entry& entry = m_entries[index];
    return std::string_view(m_texts).substr(entry.offset, entry.length);
}

void SortedPathList::Sort(std::size_t commonPrefix, std::size_t first) {
    // Keys for the entries in one buffer, built once, dropped after sorting.
    const std::size_t count = m_entries.size() - std::min(first, m_entries.size());
    std::string keys;
    std::vector<std::size_t> keyEnds(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Entry& entry = m_entries[first + i];
        m_ordering.AppendSortKey(At(first + i).substr(std::min(commonPrefix, entry.length)), keys);
        keyEnds[i] = keys.size();
    }
    const auto key = [&](std::size_t i) {
        const std::size_t begin = i == 0 ? 0 : keyEnds[i - 1];
        return std::string_view(keys).substr(begin, keyEnds[i] - begin);
    };
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byKey = key(a).compare(key(b));
        return byKey != 0 ? byKey < 0 : At(first + a) < At(first + b);
    });
    std::vector<Entry> sorted;
    sorted.reserve(count);
    for (const std::size_t i : order) sorted.push_back(m_entries[first + i]);
    std::copy(sorted.begin(), sorted.end(), m_entries.end() - static_cast<std::ptrdiff_t>(count));
}
