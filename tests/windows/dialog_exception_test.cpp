// What a dialog's handler throws never unwinds through the system's dispatch: it comes out of DoModal.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/win/dialog.h"
#include "platform/win/win_handles.h"
#include "resources/resource.h"

namespace {
// Once its loop runs, it opens `inner` over itself, if given, then throws an error with its name.
struct Throwing : CDialog {
    explicit Throwing(std::string name) : CDialog(IDD_EXTENSION_DIALOG), name(std::move(name)) {}
    BOOL OnInitDialog() override {
        ::PostMessageA(m_hWnd, WM_APP, 0, 0);
        return TRUE;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_APP) return CDialog::OnMessage(message, wParam, lParam);
        if (inner) inner->DoModal(m_hWnd);
        throw std::runtime_error(name);
    }
    std::string name;
    CDialog* inner = nullptr;
};

// The inner dialog's error passes out through the dialog that opened it: both are gone, their owner takes input.
TEST(DialogTest, AHandlersExceptionEndsItsDialogsAndComesOutOfDoModal) {
    const UniqueWindow owner(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    Throwing inner("inner");
    Throwing outer("outer");
    outer.inner = &inner;
    std::string thrown;
    try {
        outer.DoModal(owner.get());
    } catch (const std::runtime_error& error) {
        thrown = error.what();
    }
    EXPECT_EQ(thrown, "inner");
    EXPECT_EQ(outer.m_hWnd, nullptr);
    EXPECT_EQ(inner.m_hWnd, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(owner.get()));
}
}  // namespace
