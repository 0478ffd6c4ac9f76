#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "engine/clipboard.h"
#include "engine/clock.h"

// The system clipboard in memory, shared with "another program" that can
// hold it open or write to it. Using it while closed fails the test.
class MemoryClipboard : public Clipboard {
public:
    // Content: text, or something that is not text, or nothing.
    std::optional<std::string> text;
    bool otherContent = false;
    std::uint32_t sequence = 1;
    // Another program holds the clipboard open for this many of our attempts
    // to open it (-1: for good).
    int heldForAttempts = 0;
    // The allocation for the next ReplaceText calls fails this many times.
    int failingAllocations = 0;
    // Every text this program put on the clipboard, in order.
    std::vector<std::string> published;

    void WriteByAnotherProgram(const std::string& newText) {
        text = newText;
        otherContent = false;
        ++sequence;
    }
    void WritePictureByAnotherProgram() {
        text.reset();
        otherContent = true;
        ++sequence;
    }

    bool Open() override {
        EXPECT_FALSE(m_open) << "opened twice";
        if (heldForAttempts != 0) {
            if (heldForAttempts > 0) --heldForAttempts;
            return false;
        }
        return m_open = true;
    }
    void Close() override {
        EXPECT_TRUE(m_open) << "closed while not open";
        m_open = false;
    }
    bool Empty() override {
        EXPECT_TRUE(m_open) << "emptied while not open";
        text.reset();
        otherContent = false;
        ++sequence;
        return true;
    }
    bool ReadText(std::string& out) override {
        EXPECT_TRUE(m_open) << "read while not open";
        if (!text) return false;
        out = *text;
        return true;
    }
    bool ReplaceText(std::string_view newText) override {
        EXPECT_TRUE(m_open) << "written while not open";
        if (failingAllocations > 0) {
            --failingAllocations;
            return false;
        }
        text = newText;
        otherContent = false;
        published.push_back(*text);
        // Emptying and setting both count, as on the real clipboard.
        sequence += 2;
        return true;
    }
    std::uint32_t SequenceNumber() override { return sequence; }

private:
    bool m_open = false;
};

// Time that moves only when told to (or when waited on).
class ManualClock : public Clock {
public:
    std::chrono::milliseconds Now() override { return now; }
    void Wait(std::chrono::milliseconds duration) override { now += duration; }

    std::chrono::milliseconds now{1000};
};
