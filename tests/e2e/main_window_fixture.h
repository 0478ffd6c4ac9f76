#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver.h"

namespace e2e {

// A test that runs Listora.exe and works its main window; the program ends
// with the test.
class MainWindowFixture : public ::testing::Test {
protected:
    static constexpr const char* kTitle = "Listora Version 1.1";

    void Start() {
        m_program = std::make_unique<Program>();
        ASSERT_TRUE(m_program->Started());
        m_main = m_program->WaitForWindow(kTitle);
        ASSERT_NE(m_main, nullptr);
    }
    HWND Control(int id) const { return Item(m_main, id); }
    std::string PathField() const { return Text(Control(IDC_PATH)); }
    std::vector<std::string> Folders() const { return ListItems(Control(IDC_FOLDER_LIST)); }
    std::vector<std::string> Files() const { return ListItems(Control(IDC_FILE_LIST)); }
    // True once the program has handled everything sent to it so far.
    bool Settled() const { return Settle(Control(IDC_PATH)); }

    // Double-clicks `name` in the folder list and waits for the path field
    // to show `expected`; every fill selects the first folder.
    void Open(const std::string& name, const std::string& expected) {
        const int index = FindListItem(Control(IDC_FOLDER_LIST), name);
        ASSERT_GE(index, 0) << name;
        DoubleClickListItem(Control(IDC_FOLDER_LIST), index);
        ASSERT_TRUE(WaitUntil([&] { return PathField() == expected; })) << PathField() << " != " << expected;
        EXPECT_EQ(ListSelection(Control(IDC_FOLDER_LIST)), Folders().empty() ? -1 : 0);
    }

    std::unique_ptr<Program> m_program;
    HWND m_main = nullptr;
};

}  // namespace e2e
