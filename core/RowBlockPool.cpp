#include "core/RowBlockPool.h"

#include <cerrno>
#include <cstdlib>
#include <new>
#include <system_error>
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr size_t BlockBytes = RowBlockPool::BlockBytes;

// A block of its own mapping, so that it goes back to the system whole when it is unmapped. It is not
// marked for huge pages: where the system backs its memory lazily (a virtual machine), a fresh huge
// page cost 4 to 6 ms to clear and fault in, against about 1 ms for the 512 small pages of a block.
char* mapBlock() {
#ifdef __linux__
    void* block = mmap(nullptr, BlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<char*>(block);
#else
    void* block = std::malloc(BlockBytes);
    if (!block)
        throw std::bad_alloc();
    return static_cast<char*>(block);
#endif
}

void unmapBlock(char* block) noexcept {
#ifdef __linux__
    munmap(block, BlockBytes);
#else
    std::free(block);
#endif
}

// Has the system give the block its pages now, cleared, rather than on the reader's first write to
// each; false when it has no memory for them.
bool makePresent(char* block) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (madvise(block, BlockBytes, MADV_POPULATE_WRITE) == 0)
        return true;
    if (errno != EINVAL) // EINVAL: a system older than this advice
        return false;
#endif
    volatile char* const bytes = block;
    for (size_t at = 0; at < BlockBytes; at += 4096)
        bytes[at] = 0;
    return true;
}

} // namespace

RowBlockPool& RowBlockPool::instance() {
    // Never destroyed: recordsets of static lifetime give their blocks back during the process's exit.
    static RowBlockPool* const pool = new RowBlockPool(Limits{});
    return *pool;
}

RowBlockPool::RowBlockPool(Limits limits) : m_limits(limits), m_lastUse(Clock::now()) {
    // The lists never grow past these, so that giving a block back never asks for memory.
    m_held.reserve(m_limits.heldBlocks);
    m_ready.reserve(m_limits.aheadBlocks);
}

RowBlockPool::~RowBlockPool() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_helper.joinable())
        m_helper.join();
    for (char* block : m_held)
        unmapBlock(block);
    for (char* block : m_ready)
        unmapBlock(block);
}

RowBlockPool::Reading::Reading(RowBlockPool& pool) : m_pool(pool) {
    std::lock_guard<std::mutex> lock(m_pool.m_mutex);
    ++m_pool.m_readers;
}

RowBlockPool::Reading::~Reading() {
    std::lock_guard<std::mutex> lock(m_pool.m_mutex);
    if (--m_pool.m_readers == 0) {
        m_pool.releaseHeldLocked(); // no read is on its way to take them
        m_pool.m_wake.notify_one(); // the idle clock of the blocks made ready runs again
    }
}

size_t RowBlockPool::missingAhead() const {
    const size_t present = m_held.size() + m_ready.size() + m_preparing;
    return present < m_wantedAhead ? m_wantedAhead - present : 0;
}

void RowBlockPool::startHelper() {
    if (m_helper.joinable())
        return;
    try {
        m_helper = std::thread([this] { helperLoop(); });
    } catch (const std::system_error&) {
        // Without the helper the reader makes its own blocks, and drain() gives back what is kept.
    }
}

char* RowBlockPool::take() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastUse = Clock::now();
        char* block = nullptr;
        if (!m_held.empty()) {
            block = m_held.back();
            m_held.pop_back();
            ++m_counts.reused;
        } else if (!m_ready.empty()) {
            block = m_ready.back();
            m_ready.pop_back();
            ++m_counts.madeAhead;
        }
        // A reader that takes one block is likely to take more: the next ones are made ready while it
        // fills this one, once the kept ones run short.
        m_wantedAhead = m_limits.aheadBlocks;
        if (missingAhead() > 0) {
            startHelper();
            m_wake.notify_one();
        }
        if (block)
            return block;
    }
    char* block = mapBlock();
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_counts.madeNew;
    return block;
}

void RowBlockPool::give(char* block) noexcept {
    if (!block)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastUse = Clock::now();
        if (m_readers > 0 && m_held.size() + m_ready.size() < m_limits.heldBlocks) {
            m_held.push_back(block); // within the reserved room: no allocation
            return;
        }
    }
    unmapBlock(block);
}

void RowBlockPool::releaseHeldLocked() noexcept {
    // Unmapped under the lock, so that the list keeps its reserved room; a block goes back in some tens
    // of microseconds.
    for (char* block : m_held)
        unmapBlock(block);
    m_held.clear();
}

void RowBlockPool::releaseLocked() noexcept {
    releaseHeldLocked();
    for (char* block : m_ready)
        unmapBlock(block);
    m_ready.clear();
    m_wantedAhead = 0;
}

void RowBlockPool::drain() noexcept {
    std::lock_guard<std::mutex> lock(m_mutex);
    releaseLocked();
}

bool RowBlockPool::releaseIfIdle(Clock::time_point now) noexcept {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_readers > 0 || now - m_lastUse < m_limits.idle)
        return false;
    releaseLocked();
    return true;
}

RowBlockPool::Counts RowBlockPool::counts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    Counts counts = m_counts;
    counts.held = m_held.size();
    counts.ready = m_ready.size();
    return counts;
}

void RowBlockPool::waitForHelper() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_helped.wait(lock, [this] { return m_preparing == 0 && missingAhead() == 0; });
}

void RowBlockPool::helperLoop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        if (missingAhead() > 0) {
            ++m_preparing;
            lock.unlock();
            char* block = nullptr;
            try {
                block = mapBlock();
                if (!makePresent(block)) {
                    unmapBlock(block);
                    block = nullptr;
                }
            } catch (const std::bad_alloc&) {
            }
            lock.lock();
            --m_preparing;
            if (!block)
                m_wantedAhead = 0; // no memory to spare: the reader asks for its own, and fails as it would
            else if (m_held.size() + m_ready.size() < m_wantedAhead)
                m_ready.push_back(block); // within the reserved room
            else
                unmapBlock(block); // drained meanwhile
            m_helped.notify_all();
            continue;
        }
        if (m_ready.empty() || m_readers > 0) {
            m_wake.wait(lock);
            continue;
        }
        const Clock::time_point deadline = m_lastUse + m_limits.idle;
        if (Clock::now() >= deadline)
            releaseLocked();
        else
            m_wake.wait_until(lock, deadline);
    }
}
