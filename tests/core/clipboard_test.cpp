// The clipboard accumulator's scenarios in tests/data/clipboard.txt (its head tells the steps): each a test.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/clipboard_accumulator.h"
#include "tests/fakes/memory_clipboard.h"
#include "tests/support/steps.h"

namespace {
using support::DataError;
using Arguments = support::Steps::Arguments;
using std::chrono::milliseconds;
constexpr auto kWords = support::Steps::Form::Words;
constexpr auto kAnyWords = support::Steps::Form::AnyWords;
// The steps that check something.
const std::set<std::string> kChecks = {"clear", "finish", "withdraw", "clipboard", "published", "marked", "time"};

class ClipboardScenarioTest : public testing::TestWithParam<support::DataCase> {};

TEST_P(ClipboardScenarioTest, Steps) {
    ASSERT_EQ(GetParam().error, "");
    if (!GetParam().common.empty()) throw DataError(GetParam().common.front(), "a step before the first [scenario]");
    MemoryClipboard clipboard;
    ManualClock clock;
    ClipboardAccumulator accumulator{clipboard, clock};
    clipboard.clock = &clock;  // moved on by each write, as "writes take" says
    const support::DataLine* step = nullptr;
    const auto number = [&](const std::string& text) { return static_cast<int>(support::Number(*step, text)); };
    const auto yes = [&](const std::string& text) {
        if (text != "1" && text != "0") throw DataError(*step, "\"" + text + "\" is neither 1 nor 0");
        return text == "1";
    };
    const auto set = [&](int& count) { return [&](const Arguments& a) { count = number(a[0]); }; };
    support::Steps steps;
    steps.Add("wait", kWords, 1, [&](const Arguments& a) { clock.now += milliseconds(number(a[0])); });
    steps.Add("append", kWords, 1, [&](const Arguments& a) { accumulator.Append(a[0]); });
    steps.Add("append one a millisecond", kWords, 1, [&](const Arguments& a) {
        for (int piece = number(a[0]); piece > 0; --piece) {
            clock.now += milliseconds(1);
            accumulator.Append(";");
        }
    });
    steps.Add("other program writes", kWords, 1, [&](const Arguments& a) { clipboard.WriteByAnotherProgram(a[0]); });
    steps.Add("other program writes a picture", kWords, 0,
              [&](auto&) { clipboard.WriteByAnotherProgram(std::nullopt); });
    steps.Add("other program holds it", kWords, 1, set(clipboard.heldForAttempts));
    steps.Add("no memory", kWords, 1, set(clipboard.failingAllocations));
    steps.Add("set fails after emptying", kWords, 1, set(clipboard.failingSets));
    steps.Add("set fails after the text", kWords, 1, set(clipboard.partialSets));
    steps.Add("closing advances the sequence", kWords, 0, [&](auto&) { clipboard.closingAdvances = true; });
    steps.Add("writes take", kWords, 1, [&](const Arguments& a) { clipboard.writeTakes = milliseconds(number(a[0])); });
    steps.Add("clear", kWords, 1, [&](const Arguments& a) { EXPECT_EQ(accumulator.Clear(), yes(a[0])); });
    steps.Add("finish", kWords, 1, [&](const Arguments& a) { EXPECT_EQ(accumulator.Finish(), yes(a[0])); });
    steps.Add("withdraw", kWords, 1, [&](const Arguments& a) { EXPECT_EQ(accumulator.Withdraw(), yes(a[0])); });
    steps.Add("clipboard", kWords, 1, [&](const Arguments& a) {
        EXPECT_EQ(clipboard.text.value_or(clipboard.picture ? "(picture)" : "(empty)"), a[0]);
    });
    steps.Add("published", kAnyWords, 0, [&](const Arguments& a) { EXPECT_EQ(clipboard.published, a); });
    steps.Add("marked", kAnyWords, 0, [&](const Arguments& a) {
        for (const std::string& mark : a) yes(mark);
        EXPECT_EQ(clipboard.marked, a);
    });
    steps.Add("time", kWords, 1, [&](const Arguments& a) { EXPECT_EQ(clock.now, milliseconds(number(a[0]))); });
    for (const support::DataLine& line : GetParam().lines) {
        SCOPED_TRACE(line.Where() + ": " + line.text);
        step = &line;
        steps.Run(line);
    }
    const auto checks = [](const support::DataLine& line) {
        return kChecks.contains(line.text.substr(0, line.text.find(' ')));
    };
    if (std::ranges::none_of(GetParam().lines, checks)) throw DataError(GetParam().header, "checks nothing");
}

INSTANTIATE_TEST_SUITE_P(Data, ClipboardScenarioTest,
                         testing::ValuesIn(support::ReadCases({"clipboard.txt"}, "[scenario ")),
                         [](const auto& info) { return support::TestName(info.param.name); });
}  // namespace
