#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

// The largest blocks of the recordsets' row storage (2 MiB), shared by every recordset of the process and
// safe to take and give on any thread.
//
// The system clears every fresh page before a process sees it, and for a result of a million rows that
// is a good part of the read. So a list that is reloaded lets its old rows go just before it reads the
// new ones, and their blocks are kept for that read (see Reading); and while a large result is read, a
// helper thread makes the next blocks ready (their pages present) ahead of the thread that steps the
// statement. The pool keeps no block that no read is on its way to take: blocks given back while no
// Reading is held go to the system at once, those kept for a read when it is over, those made ready
// ahead when no block was taken for a while, and all when drain() asks (after a window closes).
class RowBlockPool {
public:
    static constexpr size_t BlockBytes = size_t(2) << 20;
    using Clock = std::chrono::steady_clock;

    struct Limits {
        // Blocks kept for a read; blocks given back beyond that go to the system at once.
        size_t heldBlocks = 128;
        // Blocks made ready ahead of a reader that has no kept ones left.
        size_t aheadBlocks = 2;
        // Blocks made ready ahead and not taken go back that long after the last block was taken.
        std::chrono::milliseconds idle{1000};
    };

    // The pool of the recordsets; it lives as long as the process.
    static RowBlockPool& instance();

    // Held by a reader from the moment it lets rows go that its read replaces until that read is over
    // (a list's reload): the blocks given back meanwhile are kept for the read, however long its
    // statement sorts before the first row, and what the read did not take goes when the last Reading
    // ends.
    class Reading {
    public:
        explicit Reading(RowBlockPool& pool = instance());
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

    private:
        RowBlockPool& m_pool;
    };

    explicit RowBlockPool(Limits limits);
    ~RowBlockPool();
    RowBlockPool(const RowBlockPool&) = delete;
    RowBlockPool& operator=(const RowBlockPool&) = delete;

    // A block of BlockBytes: one kept for a read, else one made ready ahead, else a new one. Its bytes
    // are whatever they were (a new block's are zero). Throws std::bad_alloc.
    char* take();
    // Takes back a block that take() gave: kept while a Reading is held and the pool is not full, else
    // given to the system at once.
    void give(char* block) noexcept;
    // Every block kept or made ready goes back to the system, and none is made ahead until the next take.
    void drain() noexcept;
    // As drain(), when no Reading is held and no block was taken or given in the idle time before `now`;
    // whether it did. The helper thread calls it as its clock runs out.
    bool releaseIfIdle(Clock::time_point now) noexcept;

    struct Counts {
        size_t held = 0;      // given back and kept for a read
        size_t ready = 0;     // made ready ahead and not taken yet
        size_t reused = 0;    // takes answered with a block kept for a read
        size_t madeAhead = 0; // takes answered with a block that the helper made ready
        size_t madeNew = 0;   // takes answered with a new block on the taker's own thread
    };
    Counts counts() const;
    // Returns when the helper has made ready what the last take asked for (for tests).
    void waitForHelper();

private:
    // The blocks wanted ahead that are not there or on their way.
    size_t missingAhead() const;
    void startHelper();
    void helperLoop();
    // The blocks kept, or also those made ready, back to the system; with the lock held.
    void releaseHeldLocked() noexcept;
    void releaseLocked() noexcept;

    const Limits m_limits;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;   // for the helper: blocks wanted, the clock, the end
    std::condition_variable m_helped; // for waitForHelper
    std::vector<char*> m_held;
    std::vector<char*> m_ready;
    size_t m_wantedAhead = 0;
    size_t m_preparing = 0;
    int m_readers = 0;
    Clock::time_point m_lastUse;
    Counts m_counts;
    bool m_stopping = false;
    std::thread m_helper;
};
