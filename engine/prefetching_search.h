#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
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
// entries in the same order, the same result, the same exception). A search
// nobody has started yet is made at once, on the caller's thread; one under
// way is waited for. The underlying search must take calls from several
// threads at once; the visitors run on the caller's thread only.
class PrefetchingSearch : public DirectorySearch {
public:
    // What read-ahead may hold at most: the names read and not yet asked
    // for, with their records.
    static constexpr std::size_t kMaxAheadBytes = std::size_t{8} << 20;

    // `threads` workers, holding at most `maxAheadBytes`.
    PrefetchingSearch(DirectorySearch& search, unsigned threads, std::size_t maxAheadBytes = kMaxAheadBytes);
    ~PrefetchingSearch() override;
    PrefetchingSearch(const PrefetchingSearch&) = delete;
    PrefetchingSearch& operator=(const PrefetchingSearch&) = delete;

    void Prefetch(const std::vector<std::string>& patterns) override;
    // Throws what the search threw, whichever thread made it; and what a
    // worker threw outside a search, once.
    SearchResult Search(const std::string& pattern, const Visitor& found) override;
    std::optional<FolderIdentity> IdentifyFolder(const std::string& path) override;

private:
    // One search as read: its entries, their names in one buffer.
    struct Result {
        // Packed: a folder's entries count against the bound with its names.
        struct Entry {
            std::size_t offset;
            std::uint64_t size, lastWrite;
            std::uint32_t length;  // a name is at most 255 UTF-16 units
            bool isDirectory, isLink, isHidden, isSystem;
        };
        bool done = false;
        SearchResult searched = SearchResult::Unreadable;
        std::exception_ptr failure;
        std::string names;
        std::vector<Entry> entries;
        // Of the bound, while nobody has asked for it; once asked for it is
        // no longer ahead and may grow as it must.
        std::size_t granted = 0;
        bool taken = false;
    };

    void Work();
    // Makes one search ahead; false when stopping.
    bool ReadNext();
    // Holds the worker until `result` may hold `bytes` in all, or is taken;
    // sets `granted` to what it may hold now. False when stopping.
    bool Grant(Result& result, std::size_t bytes, std::size_t& granted);

    DirectorySearch& m_search;
    const std::size_t m_maxAheadBytes;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_waiting;               // announced, not started; the next one needed first
    std::unordered_set<std::string> m_waitingNames;  // the same, to look up
    std::unordered_map<std::string, std::shared_ptr<Result>> m_started;  // not yet asked for
    std::size_t m_aheadBytes = 0;                                        // granted to results not yet asked for
    std::exception_ptr m_failure;                                        // a worker's, outside a search
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
