#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/listing_output.h"

class Clipboard;
class Clock;

// Builds the listing on the clipboard piece by piece. Other programs see what
// they would see if every piece were put on the clipboard at once: a growing
// prefix of the listing, and at the end exactly the concatenation of the
// pieces. Rewriting the whole text for every piece would make a run quadratic
// and flood clipboard viewers, so the text is kept here and published at most
// every kPublishInterval, and once more at the end. A publication copies the
// whole text; once it takes long, the next one waits kPublishSpacing times as
// long, so that publishing stays a small, fixed share of the run. Each
// publication but the last is marked as partial, so that only the whole
// listing enters clipboard histories.
class ClipboardAccumulator : public ListingOutput {
public:
    static constexpr std::chrono::milliseconds kPublishInterval{75};
    static constexpr int kPublishSpacing = 10;
    // How long, and how far apart, the last publication is tried while
    // another program holds the clipboard open.
    static constexpr std::chrono::milliseconds kFinalRetryTime{5000};
    static constexpr std::chrono::milliseconds kFinalRetryDelay{25};

    ClipboardAccumulator(Clipboard& clipboard, Clock& clock);

    // Empties the clipboard and starts a new listing. False when the clipboard
    // cannot be opened: its text stays until the listing replaces it.
    bool Clear() override;
    // Adds a piece to the listing.
    void Append(std::string_view piece) override;
    // Publishes what is not yet on the clipboard, waiting (through the
    // clock, which keeps the window alive) up to kFinalRetryTime while
    // another program holds it open. False when the listing could not be
    // published whole.
    bool Finish() override;
    // Takes back a listing that will not be finished (memory ran out), so
    // that no part of it is pasted as if it were whole: its memory is freed
    // and the clipboard emptied, waiting as Finish does; text another
    // program wrote since our last access stays. False when the clipboard
    // could not be emptied.
    bool Withdraw();

private:
    // Puts the listing on the clipboard, marked as `partial` or not.
    bool Publish(bool partial);
    bool PublishWhole() { return Publish(false); }
    bool EmptyOurs();
    // Tries `attempt` until it succeeds or kFinalRetryTime has passed.
    bool Retry(bool (ClipboardAccumulator::*attempt)());

    Clipboard& m_clipboard;
    Clock& m_clock;
    // The listing as the clipboard should hold it; from m_pendingFrom on it is
    // not yet published.
    std::string m_text;
    std::size_t m_pendingFrom = 0;
    // The sequence number our last access left: another one means another
    // program wrote since.
    std::uint32_t m_ownSequence = 0;
    // Whether the clipboard holds our text up to m_pendingFrom: not after a
    // Clear that could not empty it, nor after a failed write.
    bool m_current = false;
    // Whether our text there is marked as a listing still growing.
    bool m_partial = false;
    std::chrono::milliseconds m_nextPublish{};
};
