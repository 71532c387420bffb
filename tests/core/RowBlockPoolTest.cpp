// The row blocks that recordsets share: a block taken again holds the new rows only, blocks go and come
// on any thread, and the pool keeps no more than its bound, for no longer than a read is on its way.
#include "core/RowBlockPool.h"
#include "core/Recordset.h"
#include "tests/fixtures/ProcessMemory.h"
#include "tests/fixtures/TestDatabase.h"

#include <QVariantList>
#include <atomic>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Kind = Recordset::CellView::Kind;
constexpr size_t BlockBytes = RowBlockPool::BlockBytes;

// Rows of a scratch table whose cells follow from the row number and a generation, so that the rows of
// one generation read as those of no other. Their texts vary in length around `textBytes`.
struct Generation {
    int number;
    int rows;
    int textBytes;
    QVariant cell(int row, int column) const {
        switch (column) {
        case 0:
            return row;
        case 1:
            if ((row + number) % 7 == 0)
                return QVariant(); // Null
            return QString(textBytes + (row * 13 + number) % 97, QChar(u'甲' + (row + number) % 40));
        case 2:
            return (row + number) % 5 == 0 ? QStringLiteral("") : QString::number(row * 1.5 + number);
        default: {
            QByteArray bytes(1 + (row + number) % 31, '\0');
            for (qsizetype i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(i * number + row);
            return bytes;
        }
        }
    }
    void write(clsMDB& db) const {
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("delete from scratch")));
        db.BeginTrans();
        for (int r = 0; r < rows; ++r)
            ASSERT_TRUE(db.ExecSQL(QStringLiteral("insert into scratch values (?, ?, ?, ?)"),
                                   {cell(r, 0), cell(r, 1), cell(r, 2), cell(r, 3)}));
        db.CommitTrans();
    }
    // Every cell as written; the first fault is enough.
    bool readsBack(const Recordset& rs) const {
        if (rs.RecordCount() != rows)
            return false;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 4; ++c) {
                const QVariant written = cell(r, c);
                const Recordset::CellView view = rs.View(r, c);
                const bool same = !written.isValid() ? view.kind == Kind::Null
                                  : c == 0 ? view.kind == Kind::Integer && view.integer == written.toInt()
                                  : c == 3 ? view.kind == Kind::Blob && view.bytes == written.toByteArray()
                                           : view.kind == Kind::Text && rs.TextAt(r, c) == written.toString();
                if (!same) {
                    ADD_FAILURE() << "generation " << number << ", row " << r << ", column " << c;
                    return false;
                }
            }
        return true;
    }
};

std::optional<Recordset> readScratch(clsMDB& db) {
    return db.GetRS(QStringLiteral("select id, t, x, b from scratch order by id"));
}

// A recordset filled directly, its cells following from `seed`, spanning a few of the largest blocks.
Recordset filled(int seed, int rows) {
    Recordset rs(QStringList{QStringLiteral("n"), QStringLiteral("t")});
    Recordset::CellView cells[2];
    cells[0].kind = Kind::Integer;
    cells[1].kind = Kind::Text;
    QByteArray text;
    for (int r = 0; r < rows; ++r) {
        text.fill(static_cast<char>('a' + (seed + r) % 26), 1500 + (seed * 7 + r) % 600);
        cells[0].integer = qint64(seed) * 1000000 + r;
        cells[1].bytes = text;
        rs.appendRow(cells);
    }
    return rs;
}

bool holdsFilled(const Recordset& rs, int seed, int rows) {
    if (rs.RecordCount() != rows)
        return false;
    for (int r = 0; r < rows; ++r) {
        const QByteArray text(1500 + (seed * 7 + r) % 600, static_cast<char>('a' + (seed + r) % 26));
        if (rs.View(r, 0).integer != qint64(seed) * 1000000 + r || rs.View(r, 1).bytes != text)
            return false;
    }
    return true;
}

} // namespace

// A read that takes the blocks of rows that went reads back its own rows exactly, and a copy of the old
// rows, which has blocks of its own, keeps them.
TEST(RowBlockPool, ABlockTakenAgainHoldsTheNewRowsOnly) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    ASSERT_TRUE(
        db.ExecSQL(QStringLiteral("create table scratch (id integer primary key, t text, x, b blob)")));
    RowBlockPool& pool = RowBlockPool::instance();

    // Old rows of long texts over several of the largest blocks, then new rows, each generation with
    // texts shorter or longer than the last, so that rows end where old ones did not.
    const Generation generations[] = {{1, 3000, 1200}, {2, 5000, 300}, {3, 1500, 2500}, {4, 4000, 900}};
    std::optional<Recordset> previous;
    std::optional<Recordset> copyOfFirst;
    for (const Generation& g : generations) {
        SCOPED_TRACE(testing::Message() << "generation " << g.number);
        g.write(db);
        const size_t reusedBefore = pool.counts().reused;
        std::optional<Recordset> rs;
        {
            // As a list reloads: the old rows go, and their blocks are kept for the read that follows.
            const RowBlockPool::Reading reading;
            previous.reset();
            rs = readScratch(db);
        }
        ASSERT_TRUE(rs) << db.lastError().toStdString();
        if (g.number > 1) {
            EXPECT_GT(pool.counts().reused, reusedBefore) << "the read took no block given back";
        }
        EXPECT_TRUE(g.readsBack(*rs));
        if (g.number == 1)
            copyOfFirst = *rs;
        // Moved, the rows stay with their blocks.
        Recordset moved = std::move(*rs);
        EXPECT_TRUE(g.readsBack(moved));
        previous = std::move(moved);
    }
    EXPECT_TRUE(generations[0].readsBack(*copyOfFirst));
}

// Recordsets made, copied, moved and dropped on several threads at once, some dropped on another thread
// than the one that filled them, while reads are on their way on others: every one reads back its own
// rows, and once no read is on its way the pool keeps nothing but the few blocks made ready ahead.
TEST(RowBlockPool, RecordsetsComeAndGoOnSeveralThreads) {
    constexpr int Threads = 6;
    constexpr int Rounds = 12;
    constexpr int Rows = 3000; // about 5 MiB: a few of the largest blocks
    RowBlockPool& pool = RowBlockPool::instance();
    const size_t reusedBefore = pool.counts().reused;
    std::mutex handOverMutex;
    std::deque<Recordset> handedOver; // filled on one thread, dropped on another
    std::atomic<int> faults{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < Rounds; ++round) {
                const int seed = t * 100 + round;
                const RowBlockPool::Reading reading;
                {
                    // Rows filled on another thread go as this one's read begins.
                    std::lock_guard<std::mutex> lock(handOverMutex);
                    if (handedOver.size() > 2)
                        handedOver.pop_front();
                }
                Recordset rs = filled(seed, Rows);
                const Recordset copy = rs;
                Recordset moved = std::move(rs);
                if (!holdsFilled(moved, seed, Rows) || !holdsFilled(copy, seed, Rows))
                    ++faults;
                std::lock_guard<std::mutex> lock(handOverMutex);
                handedOver.push_back(std::move(moved));
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(faults.load(), 0);
    EXPECT_GT(pool.counts().reused, reusedBefore) << "no block went from one recordset to another";
    handedOver.clear();
    const RowBlockPool::Counts counts = pool.counts();
    EXPECT_EQ(counts.held, 0u);
    EXPECT_LE(counts.ready, RowBlockPool::Limits{}.aheadBlocks);
    pool.drain();
    EXPECT_EQ(pool.counts().ready, 0u);
}

// Blocks are kept for a read on its way only, and no more than the bound: the others, and those kept
// once the read is over, go back to the system at once.
TEST(RowBlockPool, KeepsNoMoreThanItsBoundNorLongerThanAReadIsOnItsWay) {
    RowBlockPool::instance().drain();
    const long before = processStatusKiB("VmRSS:");
    RowBlockPool pool({.heldBlocks = 3, .aheadBlocks = 0, .idle = std::chrono::hours(1)});
    std::vector<char*> blocks;
    for (int i = 0; i < 20; ++i) {
        blocks.push_back(pool.take());
        std::memset(blocks.back(), 0x5a, BlockBytes); // every page present
    }
    {
        const RowBlockPool::Reading reading(pool);
        for (char* block : blocks)
            pool.give(block);
        EXPECT_EQ(pool.counts().held, 3u);
        EXPECT_EQ(pool.counts().madeNew, 20u);
        EXPECT_LT(processStatusKiB("VmRSS:") - before, 12 * 1024) << "20 blocks of 2 MiB given back, 3 kept";
        // The kept blocks are taken first.
        pool.give(pool.take());
        EXPECT_EQ(pool.counts().reused, 1u);
    }
    EXPECT_EQ(pool.counts().held, 0u);
    EXPECT_LT(processStatusKiB("VmRSS:") - before, 4 * 1024);

    // Given back while no read is on its way, a block goes at once.
    pool.give(pool.take());
    EXPECT_EQ(pool.counts().held, 0u);
    EXPECT_EQ(pool.counts().madeNew, 21u);
}

// The helper makes blocks ready ahead of a reader, no more than asked for, and makes none after a drain
// until the next block is taken.
TEST(RowBlockPool, MakesBlocksReadyAheadOfAReader) {
    RowBlockPool pool({.heldBlocks = 16, .aheadBlocks = 3, .idle = std::chrono::hours(1)});
    std::vector<char*> taken{pool.take()};
    pool.waitForHelper();
    EXPECT_EQ(pool.counts().ready, 3u);
    for (int i = 0; i < 5; ++i) {
        taken.push_back(pool.take());
        pool.waitForHelper();
    }
    RowBlockPool::Counts counts = pool.counts();
    EXPECT_EQ(counts.madeNew, 1u);
    EXPECT_EQ(counts.madeAhead, 5u);
    EXPECT_EQ(counts.ready, 3u);
    // A block made ready reads as zeros and takes what is written.
    for (char* block : taken) {
        EXPECT_EQ(block[0], 0);
        EXPECT_EQ(block[BlockBytes - 1], 0);
        std::memset(block, 1, BlockBytes);
    }
    // Kept for a read, given-back blocks count as ready ahead: the helper adds none.
    {
        const RowBlockPool::Reading reading(pool);
        for (char* block : taken)
            pool.give(block);
        char* again = pool.take();
        pool.waitForHelper();
        counts = pool.counts();
        EXPECT_EQ(counts.reused, 1u);
        EXPECT_EQ(counts.held, 5u);
        EXPECT_EQ(counts.ready, 3u);
        pool.give(again);
    }
    EXPECT_EQ(pool.counts().held, 0u);
    pool.drain();
    pool.waitForHelper();
    counts = pool.counts();
    EXPECT_EQ(counts.held + counts.ready, 0u);
}

// Blocks made ready ahead and not taken go back once no block was taken for the idle time, but not while
// a read is on its way.
TEST(RowBlockPool, GivesBlocksMadeAheadBackWhenIdle) {
    const auto idle = std::chrono::seconds(5);
    RowBlockPool pool({.heldBlocks = 8, .aheadBlocks = 2, .idle = idle});
    char* block = pool.take();
    pool.waitForHelper();
    const auto now = RowBlockPool::Clock::now();
    EXPECT_EQ(pool.counts().ready, 2u);
    EXPECT_FALSE(pool.releaseIfIdle(now));
    {
        const RowBlockPool::Reading reading(pool);
        EXPECT_FALSE(pool.releaseIfIdle(now + 10 * idle)) << "a read is on its way";
        EXPECT_EQ(pool.counts().ready, 2u);
    }
    EXPECT_TRUE(pool.releaseIfIdle(now + idle));
    EXPECT_EQ(pool.counts().ready, 0u);
    pool.give(block);
}
