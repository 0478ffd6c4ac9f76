#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver.h"

namespace e2e {

// The titles the program's windows are found by, in code page 932.
inline constexpr const char* kMainTitle = "Listora Version 1.1";
// "kakuchoushi no henkou" (change the extension)
inline const std::string kExtensionTitle = "\x8A\x67\x92\xA3\x8E\x71\x82\xCC\x95\xCF\x8D\x58";
// "shousai settei" (detailed settings)
inline const std::string kSettingsTitle = "\x8F\xDA\x8D\xD7\x90\xDD\x92\xE8";

// A test that runs Listora.exe and works its main window; the program ends
// with the test.
class MainWindowFixture : public ::testing::Test {
protected:
    void Start() {
        m_program = std::make_unique<Program>();
        ASSERT_TRUE(m_program->Started());
        m_main = m_program->WaitForWindow(kMainTitle);
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
