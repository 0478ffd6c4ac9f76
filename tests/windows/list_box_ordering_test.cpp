#include "platform/win/list_box_ordering.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sorted_path_list.h"

namespace {
// Paths built from characters whose collation differs from their byte order:
// case, digits, blank against separator, underscore and other punctuation,
// hiragana, katakana (full and half width, small and voiced), kanji
// (some with 0x5C as second byte), the long-vowel mark, full-width letters.
std::vector<std::string> MixedPaths() {
    const std::vector<std::string> atoms = {
        "a", "A", "b", "B", "z", "Z", "0", "1", "9", "10", " ", "\\", "_", "-", "'", ".", "!", "~", "(", "[",
        "\x82\xa0", "\x82\x9f", "\x82\xa9", "\x82\xaa", "\x83\x41", "\x83\x4a", "\x83\x4b", "\x83\x5c", "\xb1", "\xb6",
        "\x95\x5c", "\x94\x5c", "\x8a\xbf", "\x8e\x9a", "\x81\x5b", "\x82\x60", "\x82\x81"};
    std::vector<std::string> paths = {"C:\\Data\\Work", "C:\\Data\\Work A", "C:\\Data\\Work\\Sub", "C:\\Data\\work_b",
                                      "C:\\Data\\WORK2", "C:\\Data\\Work10", "C:\\Data\\Work9"};
    unsigned state = 12345;
    for (int i = 0; i < 2000; ++i) {
        std::string path = "C:\\Data\\";
        for (int length = 1 + i % 5; length > 0; --length) {
            state = state * 1103515245 + 12345;
            path += atoms[(state >> 16) % atoms.size()];
        }
        paths.push_back(path);
    }
    return paths;
}

std::string Key(const ListBoxOrdering& ordering, std::string_view text) {
    std::string key;
    ordering.AppendSortKey(text, key);
    return key;
}

TEST(ListBoxOrderingTest, SortsAsARealSortedListBox) {
    const HWND listBox = CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(listBox, nullptr);
    const ListBoxOrdering ordering;
    SortedPathList list(ordering);
    // Fed in reverse, so neither side can lean on the order of arrival.
    const std::vector<std::string> paths = MixedPaths();
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path->c_str()));
        list.Add(*path);
    }
    list.Sort();

    ASSERT_EQ(static_cast<std::size_t>(SendMessageA(listBox, LB_GETCOUNT, 0, 0)), list.Count());
    int differentTexts = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        char text[300] = {};
        SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        // Texts that collate equal (A and a) may stand in either order in the
        // list box, depending on the order of adding; all others must match.
        if (list.At(i) != text) {
            ++differentTexts;
            EXPECT_EQ(Key(ordering, list.At(i)), Key(ordering, text)) << "at " << i;
        }
    }
    EXPECT_LT(differentTexts, 200);
    DestroyWindow(listBox);

    const auto before = [&](std::string_view a, std::string_view b) { return Key(ordering, a) < Key(ordering, b); };
    EXPECT_TRUE(before("C:\\Data\\Work", "C:\\Data\\Work A"));
    EXPECT_TRUE(before("C:\\Data\\Work A", "C:\\Data\\Work\\Sub"));
    EXPECT_TRUE(before("a.txt", "B.TXT"));
    EXPECT_TRUE(before("B.TXT", "c.txt"));
    EXPECT_EQ(Key(ordering, "ABC"), Key(ordering, "abc"));
    EXPECT_EQ(Key(ordering, ""), "");
}
}  // namespace
