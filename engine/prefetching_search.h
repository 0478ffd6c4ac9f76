#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/directory_search.h"

// A folder search that reads ahead: the searches a walk announces are made
// on worker threads while the walk goes on, and each search is then answered
// from what was read, exactly as the underlying search answers it (the same
// entries in the same order, the same result). A search nobody has started
// yet is made at once, on the caller's thread; one under way is waited for.
// The underlying search must take calls from several threads at once; the
// visitors run on the caller's thread only.
class PrefetchingSearch : public DirectorySearch {
public:
    // `threads` workers; at most `maxAhead` searches read and not yet asked for.
    PrefetchingSearch(DirectorySearch& search, unsigned threads, std::size_t maxAhead = 256);
    ~PrefetchingSearch() override;
    PrefetchingSearch(const PrefetchingSearch&) = delete;
    PrefetchingSearch& operator=(const PrefetchingSearch&) = delete;

    void Prefetch(const std::vector<std::string>& patterns) override;
    bool Search(const std::string& pattern, const Visitor& found) override;
    std::optional<FolderIdentity> IdentifyFolder(const std::string& path) override;

private:
    // One search as read: its entries, their names in one buffer.
    struct Result {
        struct Entry {
            std::size_t offset, length;
            bool isDirectory, isLink;
            std::uint64_t size;
        };
        bool done = false;
        bool searched = false;
        std::string names;
        std::vector<Entry> entries;
    };

    void Work();

    DirectorySearch& m_search;
    const std::size_t m_maxAhead;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_waiting;               // announced, not started; the next one needed first
    std::unordered_set<std::string> m_waitingNames;  // the same, to look up
    std::unordered_map<std::string, std::shared_ptr<Result>> m_started;  // not yet asked for
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
