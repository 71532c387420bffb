#pragma once
// What the benchmarks share: timing, the program's step timed beside the bare read it is held against,
// and the limits each figure is checked against. A benchmark ends with one line that says whether
// every limit held, and its exit status says the same (0: all held, 1: a limit missed).
#include "core/EngineSettings.h"
#include "core/JetFunctions.h"
#include "core/clsMDB.h"
#include "tests/fixtures/ProcessMemory.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace bench {

template <typename F> double millis(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The time of a step: what it answers when it times itself (a step that prepares more than it is
// timed for), else its whole run.
template <typename F> double timeOf(F&& step) {
    if constexpr (std::is_same_v<decltype(step()), double>)
        return step();
    else
        return millis(step);
}

// The fastest of `rounds` runs of the program's step and of the bare read, the two taking turns, so
// that both meet the same state of the machine.
struct SideBySide {
    double program = 0;
    double bare = 0;
    double ratio() const { return bare > 0 ? program / bare : 0; }
};

template <typename Program, typename Bare> SideBySide sideBySide(int rounds, Program&& program, Bare&& bare) {
    SideBySide best{1e300, 1e300};
    for (int round = 0; round < rounds; ++round) {
        best.bare = std::min(best.bare, timeOf(bare));
        best.program = std::min(best.program, timeOf(program));
    }
    return best;
}

// The bare read a step of the program is held against: the statement prepared, every row stepped
// through and every cell's text touched (a number's too), as the least reader of the rows does.
class BareReader {
public:
    // On a connection of the program's, with the program's engine settings (set again here, so that
    // the bare read never runs with fewer helper threads than the program).
    explicit BareReader(sqlite3* db) : m_db(db) { EngineSettings::apply(m_db); }
    // On a read-only connection of its own to the file, with the program's SQL functions and engine
    // settings.
    explicit BareReader(const QString& file) {
        sqlite3_open_v2(file.toUtf8().constData(), &m_owned, SQLITE_OPEN_READONLY, nullptr);
        registerJetFunctions(m_owned);
        EngineSettings::apply(m_owned);
        m_db = m_owned;
    }
    ~BareReader() { sqlite3_close_v2(m_owned); }
    BareReader(const BareReader&) = delete;
    BareReader& operator=(const BareReader&) = delete;

    // The rows read, the statement's parameters bound to `values` as the program binds them (numbers as
    // numbers, the rest as text); -1 when the statement fails or gives no text at all.
    int read(const QString& sql, const QVariantList& values = {}) const {
        sqlite3_stmt* statement = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &statement, nullptr) !=
            SQLITE_OK)
            return -1;
        for (int i = 0; i < values.size(); ++i)
            bind(statement, i + 1, values[i]);
        const int columns = sqlite3_column_count(statement);
        int rows = 0;
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < columns; ++c)
                if (sqlite3_column_text(statement, c))
                    bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c)) + 1;
        }
        sqlite3_finalize(statement);
        return bytes > 0 ? rows : -1;
    }

private:
    static void bind(sqlite3_stmt* statement, int position, const QVariant& value) {
        if (value.isNull()) {
            sqlite3_bind_null(statement, position);
            return;
        }
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::LongLong:
            sqlite3_bind_int64(statement, position, value.toLongLong());
            break;
        case QMetaType::Double:
            sqlite3_bind_double(statement, position, value.toDouble());
            break;
        default: {
            const QByteArray bytes = value.toString().toUtf8();
            sqlite3_bind_text64(statement, position, bytes.constData(),
                                static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        }
    }

    sqlite3* m_db = nullptr;
    sqlite3* m_owned = nullptr;
};

// A bare read on a connection opened in the step as the program's list loads open their own
// (clsMDB::OpenDatabase: the configured file, its schema checked, the SQL functions and engine
// settings), for a step of the program that opens one, reads and closes it. The rows read; -1 when the
// file cannot be opened or the statement read.
inline int readOnOwnConnection(const QString& sql, const QVariantList& values = {}) {
    clsMDB db;
    QString error;
    if (!db.OpenDatabase(error))
        return -1;
    return BareReader(db.Connection()).read(sql, values);
}

// The highest resident size of the process while `work` runs, sampled every 2 ms, in KiB.
template <typename F> long highestRssDuring(F&& work) {
    std::atomic<bool> done{false};
    std::atomic<long> highest{processStatusKiB("VmRSS:")};
    std::thread sampler([&] {
        while (!done) {
            highest = std::max(highest.load(), processStatusKiB("VmRSS:"));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    work();
    highest = std::max(highest.load(), processStatusKiB("VmRSS:"));
    done = true;
    sampler.join();
    return highest;
}

// Sets the process's peak resident size (VmHWM) back to its resident size now, so that the next
// reading of the peak is that of what follows.
inline void resetPeakMemory() {
    if (std::FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

// The figures checked against their limits, each printed with its limit and whether it holds.
class Limits {
public:
    // Prints `label`, the value and the limit; the value must not be above the limit.
    bool atMost(const std::string& label, double value, double limit, const char* unit = "") {
        const bool held = value <= limit;
        ++m_checked;
        if (!held)
            m_missed.push_back(label);
        std::printf("%-62s %10.2f%s  (limit %.2f%s)%s\n", label.c_str(), value, unit, limit, unit,
                    held ? "" : "  MISSED");
        return held;
    }
    // Prints `label` and whether the condition held, with what was seen; a condition that did not hold
    // is a limit missed.
    bool holds(const std::string& label, bool held, const std::string& seen = {}) {
        ++m_checked;
        if (!held)
            m_missed.push_back(label);
        std::printf("%-62s %10s%s%s\n", label.c_str(), held ? "held" : "MISSED", seen.empty() ? "" : ": ",
                    seen.c_str());
        return held;
    }
    // A figure that could not be measured, with the reason: a limit missed.
    void fail(const std::string& label, const std::string& reason) { holds(label, false, reason); }
    // The last line, and the exit status of the benchmark.
    int finish() const {
        if (m_missed.empty()) {
            std::printf("all %d limits held\n", m_checked);
            return 0;
        }
        std::string names;
        for (const std::string& name : m_missed)
            names += (names.empty() ? "" : "; ") + name;
        std::printf("LIMITS MISSED: %zu of %d: %s\n", m_missed.size(), m_checked, names.c_str());
        return 1;
    }

private:
    int m_checked = 0;
    std::vector<std::string> m_missed;
};

// Runs a benchmark's body with its limits and ends with the last line and the exit status, also where
// the body throws (a database that cannot be made or filled, a failed step): what stopped it is a
// limit missed. A body that cannot go on says why through `limits.fail` and returns.
template <typename Body> int run(Body&& body) {
    Limits limits;
    try {
        body(limits);
    } catch (const std::exception& error) {
        limits.fail("the benchmark ran to its end", error.what());
    } catch (...) {
        limits.fail("the benchmark ran to its end", "an exception of unknown type");
    }
    return limits.finish();
}

} // namespace bench
