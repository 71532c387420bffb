#include "core/ReadWatch.h"
#include "core/Recordset.h"
#include "core/clsMDB.h"

#include <QScopedValueRollback>
#include <sqlite3.h>

namespace {
// The engine steps between two looks at the clock: a few hundred microseconds of a read, so that a
// look costs nothing measurable and the window still hears of the read every few milliseconds.
constexpr int StepsPerCheck = 4000;
} // namespace

ReadWatch::ReadWatch(const clsMDB& db, Progress progress, std::function<void()> ended, int everyMs)
    : m_db(db), m_outer(db.m_watch), m_progress(std::move(progress)), m_ended(std::move(ended)),
      m_everyMs(everyMs) {
    m_db.m_watch = this;
}

ReadWatch::~ReadWatch() {
    m_db.m_watch = m_outer;
}

qint64 ReadWatch::rowsRead() const {
    return m_rowsBefore + (m_current ? m_current->RecordCount() : 0);
}

int ReadWatch::onProgress(void* self) {
    auto* watch = static_cast<ReadWatch*>(self);
    if (watch->m_clock.elapsed() < watch->m_nextReportMs)
        return 0;
    return watch->report() ? 0 : 1;
}

bool ReadWatch::report() {
    const QScopedValueRollback<bool> reporting(m_reporting, true);
    m_reported = true;
    // Nothing may be thrown through the engine's frames: a failing watcher stops the read, which then
    // fails as interrupted, not as cancelled by the user.
    bool goOn = false;
    try {
        goOn = m_progress(rowsRead());
    } catch (...) {
        return false;
    }
    if (!goOn)
        m_cancelled = m_lastReadCancelled = true;
    m_nextReportMs = m_clock.elapsed() + m_everyMs;
    return goOn;
}

ReadWatch::Reading::Reading(ReadWatch* watch, sqlite3* db, const Recordset& rows) : m_watch(watch), m_db(db) {
    if (!m_watch || !m_db)
        return;
    m_watch->m_current = &rows;
    m_watch->m_reported = false;
    m_watch->m_lastReadCancelled = false;
    m_watch->m_nextReportMs = m_watch->m_everyMs;
    m_watch->m_clock.start();
    sqlite3_progress_handler(m_db, StepsPerCheck, &ReadWatch::onProgress, m_watch);
}

ReadWatch::Reading::~Reading() {
    if (!m_watch || !m_db)
        return;
    sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    m_watch->m_rowsBefore = m_watch->rowsRead();
    m_watch->m_current = nullptr;
    if (!m_watch->m_reported || !m_watch->m_ended)
        return;
    try {
        m_watch->m_ended();
    } catch (...) {
        // The read's own outcome is what its caller hears of.
    }
}

ReadCancelled::ReadCancelled() : DbError(QStringLiteral("数据读取已取消"), QStringLiteral("SQLite")) {}
