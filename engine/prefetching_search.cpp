#include "engine/prefetching_search.h"

#include <algorithm>

PrefetchingSearch::PrefetchingSearch(DirectorySearch& search, unsigned threads, std::size_t maxAhead)
    : m_search(search), m_maxAhead(maxAhead) {
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

bool PrefetchingSearch::Search(const std::string& pattern, const Visitor& found) {
    std::shared_ptr<Result> result;
    {
        std::unique_lock lock(m_mutex);
        const auto started = m_started.find(pattern);
        if (started == m_started.end()) {
            // Not started: made here rather than waited for. It is most often
            // the next one waiting.
            if (m_waitingNames.erase(pattern)) m_waiting.erase(std::find(m_waiting.begin(), m_waiting.end(), pattern));
        } else {
            result = started->second;
            m_started.erase(started);
            m_changed.wait(lock, [&] { return result->done; });
        }
    }
    if (!result) return m_search.Search(pattern, found);
    // A worker may read ahead again.
    m_changed.notify_all();
    for (const Result::Entry& entry : result->entries) {
        found({std::string_view(result->names).substr(entry.offset, entry.length), entry.isDirectory, entry.isLink,
               entry.size});
    }
    return result->searched;
}

std::optional<FolderIdentity> PrefetchingSearch::IdentifyFolder(const std::string& path) {
    return m_search.IdentifyFolder(path);
}

void PrefetchingSearch::Work() {
    for (;;) {
        std::string pattern;
        std::shared_ptr<Result> result = std::make_shared<Result>();
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stopping || (!m_waiting.empty() && m_started.size() < m_maxAhead); });
            if (m_stopping) return;
            pattern = std::move(m_waiting.front());
            m_waiting.pop_front();
            m_waitingNames.erase(pattern);
            m_started.emplace(pattern, result);
        }
        const bool searched = m_search.Search(pattern, [&](const FoundEntry& entry) {
            result->entries.push_back(
                {result->names.size(), entry.name.size(), entry.isDirectory, entry.isLink, entry.size});
            result->names += entry.name;
        });
        {
            const std::lock_guard lock(m_mutex);
            result->searched = searched;
            result->done = true;
        }
        m_changed.notify_all();
    }
}
