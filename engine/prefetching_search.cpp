#include "engine/prefetching_search.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {
// A worker asks for room at least this much at a time, so that it seldom
// takes the lock.
constexpr std::size_t kGrantStep = std::size_t{64} << 10;
}  // namespace

PrefetchingSearch::PrefetchingSearch(DirectorySearch& search, unsigned threads, std::size_t maxAheadBytes)
    : m_search(search), m_maxAheadBytes(maxAheadBytes) {
    for (unsigned i = 0; i < threads; ++i) m_workers.emplace_back([this] { Work(); });
}

PrefetchingSearch::~PrefetchingSearch() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

void PrefetchingSearch::Prefetch(const std::vector<std::string>& patterns) {
    {
        const std::lock_guard lock(m_mutex);
        // A depth-first walk needs the newest announcements first, in the
        // order they were given.
        for (auto pattern = patterns.rbegin(); pattern != patterns.rend(); ++pattern) {
            if (!m_started.contains(*pattern) && m_waitingNames.insert(*pattern).second) m_waiting.push_front(*pattern);
        }
    }
    m_changed.notify_all();
}

SearchResult PrefetchingSearch::Search(const std::string& pattern, const Visitor& found) {
    std::shared_ptr<Result> result;
    {
        std::unique_lock lock(m_mutex);
        if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
        const auto started = m_started.find(pattern);
        if (started == m_started.end()) {
            // Not started: made here rather than waited for. It is most often
            // the next one waiting.
            if (m_waitingNames.erase(pattern)) m_waiting.erase(std::find(m_waiting.begin(), m_waiting.end(), pattern));
        } else {
            result = started->second;
            m_started.erase(started);
            // No longer ahead: its room goes back, and its worker, if held,
            // goes on.
            result->taken = true;
            m_aheadBytes -= std::exchange(result->granted, 0);
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return result->done; });
        }
    }
    if (!result) return m_search.Search(pattern, found);
    if (result->failure) std::rethrow_exception(result->failure);
    for (const Result::Entry& entry : result->entries) {
        found({std::string_view(result->names).substr(entry.offset, entry.length), entry.isDirectory, entry.isLink,
               entry.size, entry.isHidden, entry.isSystem, entry.lastWrite});
    }
    return result->searched;
}

std::optional<FolderIdentity> PrefetchingSearch::IdentifyFolder(const std::string& path) {
    return m_search.IdentifyFolder(path);
}

void PrefetchingSearch::Work() {
    // Nothing may leave a thread's function but by returning: that would end
    // the process.
    try {
        while (ReadNext()) {
        }
    } catch (...) {
        // Keeping track of a search failed (memory ran out) before any search
        // was taken: this worker stops, the walk hears of it at its next
        // search and makes the rest itself.
        const std::lock_guard lock(m_mutex);
        if (!m_failure) m_failure = std::current_exception();
    }
}

bool PrefetchingSearch::ReadNext() {
    const auto result = std::make_shared<Result>();
    std::string pattern;
    std::size_t held = 0;  // bytes the result holds
    {
        std::unique_lock lock(m_mutex);
        // What a result holds before its first entry: itself and its pattern.
        const auto room = [&] { return sizeof(Result) + m_waiting.front().size(); };
        m_changed.wait(lock,
                       [&] { return m_stopping || (!m_waiting.empty() && m_aheadBytes + room() <= m_maxAheadBytes); });
        if (m_stopping) return false;
        held = result->granted = room();
        pattern = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_waitingNames.erase(pattern);
        // Should this fail, the pattern is neither waiting nor started: the
        // walk makes that search itself.
        m_started.emplace(pattern, result);
        m_aheadBytes += result->granted;
    }
    std::size_t granted = held;
    bool dropped = false;
    try {
        result->searched = m_search.Search(pattern, [&](const FoundEntry& entry) {
            if (dropped) return;
            held += entry.name.size() + sizeof(Result::Entry);
            if (held > granted && !Grant(*result, held, granted)) {
                // Stopping: nobody will ask for it.
                dropped = true;
                return;
            }
            result->entries.push_back({result->names.size(), entry.size, entry.lastWrite,
                                       static_cast<std::uint32_t>(entry.name.size()), entry.isDirectory, entry.isLink,
                                       entry.isHidden, entry.isSystem});
            result->names += entry.name;
        });
    } catch (...) {
        // Thrown again on the walk's thread, when it asks for this search.
        result->failure = std::current_exception();
    }
    {
        const std::lock_guard lock(m_mutex);
        if (!result->taken) {
            // Room granted and not used goes back.
            const std::size_t unused = result->granted - std::min(held, result->granted);
            result->granted -= unused;
            m_aheadBytes -= unused;
        }
        result->done = true;
    }
    m_changed.notify_all();
    return true;
}

bool PrefetchingSearch::Grant(Result& result, std::size_t bytes, std::size_t& granted) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(
        lock, [&] { return m_stopping || result.taken || m_aheadBytes + (bytes - result.granted) <= m_maxAheadBytes; });
    if (m_stopping) return false;
    if (result.taken) {
        granted = std::numeric_limits<std::size_t>::max();
        return true;
    }
    const std::size_t more = std::min(std::max(bytes - result.granted, kGrantStep), m_maxAheadBytes - m_aheadBytes);
    result.granted += more;
    m_aheadBytes += more;
    granted = result.granted;
    return true;
}
