#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/listing_options.h"

class FileTimeZone;
class FolderCollector;
class ListingOutput;
class ProgressSink;
class SortedPathList;
class TextServices;
struct StartFolder;

// Turns start folders, an extension and the options of a preset into the
// listing text, on the clipboard or in a file.
class ListingComposer {
public:
    // Blank and width counts of a line number are held to this many: the
    // settings take nine digits, and a line is composed whole, never cut.
    static constexpr std::int32_t kMaxCount = 255;

    // `zone` gives the local time of the files' dates.
    ListingComposer(FolderCollector& collector, ListingOutput& output, ProgressSink& progress, const TextServices& text,
                    const FileTimeZone& zone);

    // One whole transfer: clears the output, then for each start folder in
    // turn collects the folders and appends every piece of its listing (the
    // listings follow each other with nothing between, each numbered from 1),
    // and delivers the result. False when it could not be delivered whole.
    bool ComposeListing(std::span<const std::string> startPaths, std::string_view extension,
                        const ListingOptions& options);

private:
    void ComposeFolder(std::string_view startPath, std::string_view extension);
    void ComposeFoldersOnly(const StartFolder& start);
    void ComposeFolderBlock(std::size_t index, const StartFolder& start, std::string_view extension);
    void ComposeFileLine(const SortedPathList& files, std::size_t index, const StartFolder& start);
    void AppendLine(std::string_view text);

    FolderCollector& m_collector;
    ListingOutput& m_output;
    ProgressSink& m_progress;
    const TextServices& m_text;
    const FileTimeZone& m_zone;

    // Run state.
    ListingOptions m_options;
    std::uint64_t m_lineNumber = 0;
    bool m_firstFile = false;
    // Buffers reused for every line.
    std::string m_line;
    std::string m_piece;
};
