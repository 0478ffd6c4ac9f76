#include "engine/clipboard_accumulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/memory_clipboard.h"

namespace {
using std::chrono::milliseconds;

struct ClipboardAccumulatorTest : ::testing::Test {
    // Appends `pieces` with `step` of time before each one.
    void AppendAll(std::initializer_list<std::string_view> pieces, milliseconds step = milliseconds(0)) {
        for (const std::string_view piece : pieces) {
            clock.now += step;
            accumulator.Append(piece);
        }
    }

    MemoryClipboard clipboard;
    ManualClock clock;
    ClipboardAccumulator accumulator{clipboard, clock};
};

TEST_F(ClipboardAccumulatorTest, HoldsExactlyThePiecesAtTheEnd) {
    clipboard.WritePictureByAnotherProgram();
    ASSERT_TRUE(accumulator.Clear());
    EXPECT_FALSE(clipboard.text);
    EXPECT_FALSE(clipboard.otherContent);
    AppendAll({"C:\\Work", "", "\r", "\n"});
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "C:\\Work\r\n");
    // Nothing new: nothing rewritten.
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.published.size(), 1u);

    // A new listing starts empty.
    ASSERT_TRUE(accumulator.Clear());
    AppendAll({"x"});
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "x");
}

TEST_F(ClipboardAccumulatorTest, PublishesGrowingPrefixesAtMostEveryInterval) {
    ASSERT_TRUE(accumulator.Clear());
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        const std::string piece = std::to_string(i) + ";";
        clock.now += milliseconds(1);
        accumulator.Append(piece);
        all += piece;
    }
    const std::size_t duringRun = clipboard.published.size();
    const auto interval = ClipboardAccumulator::kPublishInterval.count();
    EXPECT_LE(duringRun, static_cast<std::size_t>(1000 / interval));
    EXPECT_GE(duringRun, static_cast<std::size_t>(1000 / interval - 1));
    for (const std::string& text : clipboard.published) {
        EXPECT_EQ(all.compare(0, text.size(), text), 0);
        EXPECT_EQ(text.back(), ';');  // whole pieces only
    }
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, all);
}

TEST(ClipboardAccumulatorSpacingTest, SlowPublicationsAreSpacedOut) {
    // Each publication takes 30 ms of the clock.
    struct SlowClipboard : MemoryClipboard {
        explicit SlowClipboard(ManualClock& clock) : clock(clock) {}
        bool ReplaceText(std::string_view text) override {
            clock.now += milliseconds(30);
            times.push_back(clock.now);
            return MemoryClipboard::ReplaceText(text);
        }
        ManualClock& clock;
        std::vector<milliseconds> times;
    };
    ManualClock clock;
    SlowClipboard clipboard(clock);
    ClipboardAccumulator accumulator(clipboard, clock);
    ASSERT_TRUE(accumulator.Clear());
    for (int i = 0; i < 2000; ++i) {
        clock.now += milliseconds(1);
        accumulator.Append("x");
    }
    ASSERT_GE(clipboard.times.size(), 3u);
    for (std::size_t i = 1; i < clipboard.times.size(); ++i) {
        EXPECT_GE(clipboard.times[i] - clipboard.times[i - 1], ClipboardAccumulator::kPublishSpacing * milliseconds(30));
    }
}

TEST_F(ClipboardAccumulatorTest, ClearThatCannotOpenLeavesTheOldTextInFront) {
    clipboard.WriteByAnotherProgram("old ");
    clipboard.heldForAttempts = 1;
    EXPECT_FALSE(accumulator.Clear());
    EXPECT_EQ(clipboard.text, "old ");
    AppendAll({"a", "b"}, milliseconds(50));
    AppendAll({"c"});
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "old abc");
}

TEST_F(ClipboardAccumulatorTest, AnotherProgramsWriteIsContinued) {
    ASSERT_TRUE(accumulator.Clear());
    AppendAll({"one", "two"}, ClipboardAccumulator::kPublishInterval);
    ASSERT_EQ(clipboard.text, "onetwo");
    clipboard.WriteByAnotherProgram("THEIRS");
    AppendAll({"three", "four"});
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "THEIRSthreefour");

    // A picture is replaced; the listing goes on from empty text.
    AppendAll({"five"}, ClipboardAccumulator::kPublishInterval);
    clipboard.WritePictureByAnotherProgram();
    AppendAll({"six"});
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "six");
    EXPECT_FALSE(clipboard.otherContent);

    // Written after the last piece: their text stays.
    clipboard.WriteByAnotherProgram("LAST");
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "LAST");
}

TEST_F(ClipboardAccumulatorTest, BusyClipboardLosesNoPiece) {
    ASSERT_TRUE(accumulator.Clear());
    clipboard.heldForAttempts = 3;
    AppendAll({"a", "b", "c"}, ClipboardAccumulator::kPublishInterval);
    EXPECT_TRUE(clipboard.published.empty());
    AppendAll({"d"}, ClipboardAccumulator::kPublishInterval);
    EXPECT_EQ(clipboard.text, "abcd");
    clipboard.failingAllocations = 1;
    AppendAll({"e"}, ClipboardAccumulator::kPublishInterval);
    EXPECT_EQ(clipboard.text, "abcd");

    // At the end the clipboard is waited for, a little.
    clipboard.heldForAttempts = ClipboardAccumulator::kFinalAttempts - 1;
    AppendAll({"f"});
    const milliseconds before = clock.now;
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "abcdef");
    EXPECT_EQ(clock.now - before, (ClipboardAccumulator::kFinalAttempts - 1) * ClipboardAccumulator::kFinalRetryDelay);

    clipboard.heldForAttempts = -1;
    AppendAll({"g"});
    EXPECT_FALSE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "abcdef");
    clipboard.heldForAttempts = 0;
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(clipboard.text, "abcdefg");
}
}  // namespace
