#pragma once
#include "core/DbError.h"

#include <QElapsedTimer>
#include <QtGlobal>
#include <functional>

class Recordset;
class clsMDB;
struct sqlite3;

// Watching the reads of one data-access object while they run, for a window that shows their progress
// and lets the user stop them. While a ReadWatch lives, every query the object reads (GetRS, Query,
// ExecuteResults) calls `progress` with the rows read so far under the watch, every `everyMs` of the
// read. The calls come from between the engine's steps, so they come also while a large sort runs
// before the first row. `progress` answering false stops the read: it fails as cancelled (cancelled()
// is true; Query and ExecuteResults throw ReadCancelled). `ended` follows each read that called
// `progress`.
//
// The engine forbids any use of the connection while it calls out, and `progress` may process events:
// while it runs, the object refuses every query, statement, opening and closing, failing it as it
// fails any other, and leaves the connection alone.
//
// The clock is read once every few thousand engine steps and nothing is done per row, so a watched
// read costs no more than a bare one.
class ReadWatch {
public:
    using Progress = std::function<bool(qint64 rowsRead)>;

    static constexpr int DefaultEveryMs = 25;

    ReadWatch(const clsMDB& db, Progress progress, std::function<void()> ended = {},
              int everyMs = DefaultEveryMs);
    ~ReadWatch();
    ReadWatch(const ReadWatch&) = delete;
    ReadWatch& operator=(const ReadWatch&) = delete;

    // A read under this watch was stopped by `progress`; the last one was.
    bool cancelled() const { return m_cancelled; }
    bool lastReadCancelled() const { return m_lastReadCancelled; }
    // `progress` is running: the connection is inside one of its steps.
    bool reporting() const { return m_reporting; }

    // One read of a statement of the watched object, for clsMDB: while it lives, the engine calls back
    // between its steps (when the object is watched at all). `rows` is the recordset being filled.
    class Reading {
    public:
        Reading(ReadWatch* watch, sqlite3* db, const Recordset& rows);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

    private:
        ReadWatch* m_watch;
        sqlite3* m_db;
    };

private:
    static int onProgress(void* watch);
    bool report();
    qint64 rowsRead() const;

    const clsMDB& m_db;
    ReadWatch* m_outer; // the watch this one stands in for while it lives
    Progress m_progress;
    std::function<void()> m_ended;
    int m_everyMs;
    QElapsedTimer m_clock;     // since the current read began
    qint64 m_nextReportMs = 0; // of m_clock
    const Recordset* m_current = nullptr;
    qint64 m_rowsBefore = 0; // rows of the reads that ended under this watch
    bool m_reporting = false;
    bool m_reported = false; // the current read called `progress`
    bool m_lastReadCancelled = false;
    bool m_cancelled = false;
};

// A read that the user stopped through its watch: a failure to tell apart from the others, which its
// window does not report.
class ReadCancelled : public DbError {
public:
    ReadCancelled();
};
