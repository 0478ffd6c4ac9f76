#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "engine/clipboard.h"
#include "engine/clock.h"

// Time that moves only when told to, or when waited on.
struct ManualClock : Clock {
    std::chrono::milliseconds Now() override { return now; }
    void Wait(std::chrono::milliseconds duration) override { now += duration; }
    std::chrono::milliseconds now{1000};
};

// The system clipboard in memory, shared with "another program" that can
// hold it open or write to it. Using it while closed fails the test.
struct MemoryClipboard : Clipboard {
    // Text, or a picture when there is none.
    void WriteByAnotherProgram(std::optional<std::string> newText) {
        text = std::move(newText), picture = !text, ++sequence;
    }

    bool Open() override {
        EXPECT_FALSE(open) << "opened twice";
        open = heldForAttempts == 0;
        if (heldForAttempts > 0) --heldForAttempts;
        return open;
    }
    // As under Wine: closing after a change advances the sequence number once more.
    void Close() override {
        open = !IsOpen("closed");
        if (closingAdvances && changed) ++sequence;
        changed = false;
    }
    bool Empty() override {
        text.reset();
        picture = false;
        ++sequence;
        changed = true;
        return IsOpen("emptied");
    }
    bool ReadText(std::string& out) override {
        if (IsOpen("read") && text) out = *text;
        return text.has_value();
    }
    // As the real one: the memory first, then the clipboard is emptied, then set.
    bool ReplaceText(std::string_view newText, bool partial) override {
        if (clock) clock->now += writeTakes;
        if (!IsOpen("written") || failingAllocations-- > 0 || !Empty() || failingSets-- > 0) return false;
        text = newText;
        ++sequence;
        published.push_back(*text);
        marked.push_back(partial ? "1" : "0");
        return partialSets-- <= 0;
    }
    std::uint32_t SequenceNumber() override { return sequence; }
    bool IsOpen(const char* use) {
        EXPECT_TRUE(open) << use << " while not open";
        return open;
    }

    std::optional<std::string> text;
    bool picture = false;  // content that is not text
    std::uint32_t sequence = 1;
    bool open = false;
    int heldForAttempts = 0;     // another program holds it open for so many of our tries (-1: for good)
    int failingAllocations = 0;  // so many of our next writes find no memory
    int failingSets = 0;         // so many of our next writes empty the clipboard, then fail
    int partialSets = 0;         // so many of our next writes set the text, then fail on another format
    bool closingAdvances = false;
    bool changed = false;                // by us, since the clipboard was opened
    std::vector<std::string> published;  // every text we wrote, in order
    std::vector<std::string> marked;     // for each, "1" when it was marked as partial, else "0"
    ManualClock* clock = nullptr;        // moved on by each of our writes, when given
    std::chrono::milliseconds writeTakes{};
};
