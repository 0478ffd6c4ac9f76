#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/listing_options.h"

class ClipboardAccumulator;
class FolderCollector;
class ProgressSink;
class TextServices;
struct StartFolder;

// Turns a start folder, an extension and the options of a preset into the
// listing text on the clipboard.
class ListingComposer {
public:
    // Blank and width counts of a line number are held to this many: the
    // settings take nine digits, and a line is composed whole, never cut.
    static constexpr std::int32_t kMaxCount = 255;

    ListingComposer(FolderCollector& collector, ClipboardAccumulator& clipboard, ProgressSink& progress,
                    const TextServices& text);

    // One whole transfer: clears the clipboard, collects the folders, appends
    // every piece of the listing and publishes the result. False when the
    // result could not be published whole.
    bool ComposeListing(std::string_view startPath, std::string_view extension, const ListingOptions& options);

private:
    void ComposeFoldersOnly(const StartFolder& start);
    void ComposeFolderBlock(std::size_t index, const StartFolder& start, std::string_view extension);
    void ComposeFileLine(std::string_view path, std::uint64_t size, const StartFolder& start);
    void AppendLine(std::string_view text);

    FolderCollector& m_collector;
    ClipboardAccumulator& m_clipboard;
    ProgressSink& m_progress;
    const TextServices& m_text;

    // Run state.
    ListingOptions m_options;
    std::uint64_t m_lineNumber = 0;
    bool m_firstFile = false;
    // Buffers reused for every line.
    std::string m_line;
    std::string m_piece;
};
