#include "platform/win/status_progress_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {
std::string WindowText(HWND window) {
    char text[300] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(StatusProgressSinkTest, ShowsTheFirstItemAtOnceAndThenAtMostEveryInterval) {
    const HWND status = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 20, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(status, nullptr);
    int pumps = 0;
    StatusProgressSink sink(status, [&] {
        ++pumps;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    });

    sink.ShowItem("C:\\Work\\\x95\x5C.txt");
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(WindowText(status), "C:\\Work\\\x95\x5C.txt");

    const auto start = std::chrono::steady_clock::now();
    int items = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200)) {
        sink.ShowItem("C:\\Work\\item " + std::to_string(++items));
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(items, 1000);
    EXPECT_GE(pumps, 2);
    EXPECT_LE(pumps - 1, elapsed / StatusProgressSink::kIntervalMs + 1);
    EXPECT_EQ(WindowText(status).rfind("C:\\Work\\item ", 0), 0u);

    Sleep(StatusProgressSink::kIntervalMs + 5);
    sink.ShowItem("C:\\last");
    EXPECT_EQ(WindowText(status), "C:\\last");
    DestroyWindow(status);
}
}  // namespace
