#include "engine/listing_composer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "engine/file_time_zone.h"
#include "engine/folder_collector.h"
#include "engine/listing_output.h"
#include "engine/progress_sink.h"
#include "text/text_services.h"

namespace {
constexpr std::array<std::string_view, 7> kSeparators = {"", ":", ",", ".", "|", "||", "-"};

std::size_t Count(std::int32_t value) {
    return static_cast<std::size_t>(std::clamp(value, 0, ListingComposer::kMaxCount));
}

void AppendDecimal(std::string& out, std::uint64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// 1234567 gives "1,234,567Byte\t\t".
void AppendSizeText(std::string& out, std::uint64_t size) {
    char digits[24];
    const std::size_t count =
        static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, size).ptr - digits);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    out += "Byte\t\t";
}

// At least `width` digits, zeros in front; a negative value as 0.
void AppendPadded(std::string& out, int value, std::size_t width) {
    const std::size_t start = out.size();
    AppendDecimal(out, static_cast<std::uint64_t>(std::max(value, 0)));
    const std::size_t digits = out.size() - start;
    if (width > digits) out.insert(start, width - digits, '0');
}

// "2024/03/05 09:07" and a tab, which makes the date a column of its own.
void AppendDateText(std::string& out, const LocalTime& time) {
    AppendPadded(out, time.year, 4);
    out += '/';
    AppendPadded(out, time.month, 2);
    out += '/';
    AppendPadded(out, time.day, 2);
    out += ' ';
    AppendPadded(out, time.hour, 2);
    out += ':';
    AppendPadded(out, time.minute, 2);
    out += '\t';
}

// `path` less the normalised start path in front of it; "" for the start
// folder itself, which is one separator shorter.
std::string_view Relative(std::string_view path, const StartFolder& start) {
    return path.size() > start.normalised.size() ? path.substr(start.normalised.size()) : std::string_view();
}
}  // namespace

ListingComposer::ListingComposer(FolderCollector& collector, ListingOutput& output, ProgressSink& progress,
                                 const TextServices& text, const FileTimeZone& zone)
    : m_collector(collector), m_output(output), m_progress(progress), m_text(text), m_zone(zone) {}

bool ListingComposer::ComposeListing(std::span<const std::string> startPaths, std::string_view extension,
                                     const ListingOptions& options) {
    m_options = options;
    m_collector.SkipHidden(options.skipHidden != 0);
    m_output.Clear();
    for (const std::string& startPath : startPaths) ComposeFolder(startPath, extension);
    return m_output.Finish();
}

void ListingComposer::ComposeFolder(std::string_view startPath, std::string_view extension) {
    m_lineNumber = 1;
    const bool folderNames = m_options.folderNameOutput != 0;
    const bool foldersOnly = folderNames && m_options.folderOutputType == kFoldersOnly;
    const StartFolder start = m_collector.CollectFolders(startPath, m_options.subFolders != 0, m_options.subFolderDepth,
                                                         foldersOnly ? "" : extension);
    if (folderNames && m_options.folderOutputType != kFullHeaders) AppendLine(start.text);
    if (foldersOnly) {
        ComposeFoldersOnly(start);
    } else {
        for (std::size_t i = 0; i < m_collector.CollectedFolders().Count(); ++i)
            ComposeFolderBlock(i, start, extension);
    }
}

void ListingComposer::AppendLine(std::string_view text) {
    m_output.Append(text);
    m_output.Append("\r");
    m_output.Append("\n");
}

void ListingComposer::ComposeFoldersOnly(const StartFolder& start) {
    m_collector.ListChildFolders(start.text);
    const SortedPathList& children = m_collector.ChildFolders();
    for (std::size_t i = 0; i < children.Count(); ++i) {
        m_progress.ShowItem(children.At(i));
        AppendLine(Relative(children.At(i), start));
    }
}

void ListingComposer::ComposeFolderBlock(std::size_t index, const StartFolder& start, std::string_view extension) {
    const std::string_view folder = m_collector.CollectedFolders().At(index);
    const bool folderNames = m_options.folderNameOutput != 0;
    const int type = m_options.folderOutputType;

    const int level = m_collector.CountDepth(folder) - start.depth;
    if (m_options.nextFolder && level == std::max(m_options.subFolderDepth, 0)) {
        m_collector.ListChildFolders(folder);
        const SortedPathList& children = m_collector.ChildFolders();
        for (std::size_t i = 0; i < children.Count(); ++i) {
            const std::string_view child = children.At(i);
            if (folderNames && type == kRelativePaths) {
                AppendLine(Relative(child, start));
            } else if (folderNames && type == kRelativeHeaders) {
                m_piece.assign(1, '\\');
                m_piece += Relative(child, start);
                AppendLine(m_piece);
            } else {
                AppendLine(child);
            }
        }
    }

    SortedPathList& files = m_collector.FolderFiles();
    files.Reset();
    m_collector.FillFileList(index, extension);
    m_firstFile = true;
    if (files.Count() == 0) {
        m_output.Append("\r");
        m_output.Append("\n");
        // The header stands alone; the block's closing line end ends it.
        if (folderNames && type == kFullHeaders) m_output.Append(folder);
        if (folderNames && type == kRelativeHeaders) m_output.Append(Relative(folder, start));
    } else {
        const std::size_t count = files.Count();
        for (std::size_t j = 0; j < count; ++j) {
            const std::size_t i = m_options.reverse ? count - 1 - j : j;
            ComposeFileLine(files, i, start);
        }
    }
    m_output.Append("\r");
    m_output.Append("\n");
}

void ListingComposer::ComposeFileLine(const SortedPathList& files, std::size_t index, const StartFolder& start) {
    const std::string_view path = files.At(index);
    m_progress.ShowItem(path);

    m_line.assign(path);
    if (m_options.lowerCase) m_text.MakeLowerAscii(m_line);
    const std::size_t separator = m_text.FindLastSeparator(m_line);
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    if (m_options.noExtension) {
        // '.' is never the second byte of a double-byte character.
        const std::size_t dot = m_line.rfind('.');
        if (dot != std::string::npos && dot >= nameStart) m_line.erase(dot);
    }

    if (m_options.folderNameOutput) {
        const int type = m_options.folderOutputType;
        if (type == kRelativePaths) {
            m_line.erase(0, std::min(start.normalised.size(), m_line.size()));
        } else if (type == kFullHeaders || type == kRelativeHeaders) {
            if (m_firstFile) {
                const std::string_view folderPart =
                    std::string_view(m_line).substr(0, nameStart == 0 ? 0 : nameStart - 1);
                m_piece.clear();
                if (type == kFullHeaders) {
                    m_piece = folderPart;
                } else if (!Relative(folderPart, start).empty()) {
                    m_piece += '\\';
                    m_piece += Relative(folderPart, start);
                }
                m_piece += "\r\n";
                m_output.Append(m_piece);
                m_firstFile = false;
            }
            m_line.erase(0, nameStart);
        }
    }

    m_piece.clear();
    if (m_options.lineNumbers) {
        AppendDecimal(m_piece, m_lineNumber);
        const std::size_t digits = m_piece.size();
        const std::size_t width = Count(m_options.numberWidth);
        // A number wider than the width is written whole.
        if (width > digits) m_piece.insert(0, width - digits, m_options.zeroPad ? '0' : ' ');
        m_piece.append(Count(m_options.spacesBefore), ' ');
        if (m_options.separatorType >= 0 && m_options.separatorType < static_cast<int>(kSeparators.size())) {
            m_piece += kSeparators[static_cast<std::size_t>(m_options.separatorType)];
        }
        m_piece.append(Count(m_options.spacesAfter), ' ');
    }
    m_piece += m_line;
    m_piece += "\r\n";

    // The date and the size, when asked for, go first, in one piece.
    if (m_options.fileDate || m_options.fileSize) {
        m_line.clear();
        if (m_options.fileDate) AppendDateText(m_line, m_zone.ToLocal(files.LastWriteAt(index)));
        if (m_options.fileSize) AppendSizeText(m_line, files.SizeAt(index));
        m_output.Append(m_line);
    }
    m_output.Append(m_piece);
    ++m_lineNumber;
}
