#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class StringOrdering;

// A list of paths (each with a size and a last-write time) that keeps the
// order of a StringOrdering, as the transfer's hidden sorted list boxes did.
// Adding appends; Sort puts the list in order. The texts live in one buffer,
// so a folder of 100,000 files costs a few allocations, not 100,000.
class SortedPathList {
public:
    explicit SortedPathList(const StringOrdering& ordering) : m_ordering(ordering) {}

    void Reset();
    void Add(std::string_view path, std::uint64_t size = 0, std::uint64_t lastWrite = 0);
    // Orders every entry added so far. Texts that collate equal keep their
    // byte order, so the result never depends on the order of adding. When
    // every entry begins with the same `commonPrefix` bytes and a separator
    // after them (the files of one folder), the keys are made from the
    // separator on: the order is the same, as each name still follows the
    // separator (a mark such as the long vowel weighs as what precedes it),
    // and a key of a name costs a fraction of one of its whole path.
    // With `first`, only the entries from there on are ordered, among
    // themselves.
    void Sort(std::size_t commonPrefix = 0, std::size_t first = 0);

    std::size_t Count() const { return m_entries.size(); }
    std::string_view At(std::size_t index) const;
    std::uint64_t SizeAt(std::size_t index) const { return m_entries[index].size; }
    std::uint64_t LastWriteAt(std::size_t index) const { return m_entries[index].lastWrite; }

private:
    struct Entry {
        std::size_t offset;
        std::size_t length;
        std::uint64_t size;
        std::uint64_t lastWrite;
    };

    const StringOrdering& m_ordering;
    std::string m_texts;
    std::vector<Entry> m_entries;
};
