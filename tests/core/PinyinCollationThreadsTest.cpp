// A large sort by pinyin, which the engine shares out among its helper threads, gives the same order as
// the engine sorting alone: the collation is called on several threads at once and stays right.
#include "core/EngineSettings.h"
#include "core/PinyinCollation.h"
#include "tests/fixtures/TestDatabase.h"

#include <atomic>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

template <typename List> const auto& pick(std::mt19937& random, const List& list) {
    return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
}

// Customer names as a real list holds them: most wholly Chinese, many with a Latin brand, a number, a
// letter case of their own, full-width letters or punctuation (which the collator weighs, not the Han
// ranks), characters beyond the first level of GB2312, and some names that come twice.
QStringList customerNames(int count) {
    const QStringList cities = words("北京 上海 广州 深圳 天津 重庆 杭州 南京 武汉 成都 西安 苏州 长沙 郑州 "
                                     "青岛 沈阳 厦门 宁波 合肥 济南 哈尔滨 石家庄 乌鲁木齐 佛山 东莞");
    const QStringList brands = words("TCL ABB 3M BYD OPPO vivo iSoftStone Abc abc ABC K12 IBM Haier e家 "
                                     "58同城 ＡＢＣ ＴＣＬ");
    const QStringList stems = words("华信 东方 宏达 金鑫 新世纪 恒通 瑞丰 博远 天成 中联 鼎盛 永安 海纳 星辰 "
                                    "润泽 嘉禾 长城 重工 鑫源 淼森 珺瑶 昊天 琦丰 钰龙 燚鑫 喆盛 堃泰 玥华");
    const QStringList trades = words("科技 贸易 电子 机械 建材 化工 物流 软件 信息技术 医药 食品 服装 "
                                     "文化传媒 投资 房地产开发 汽车配件 环保 教育咨询 广告 印刷");
    const QStringList suffixes =
        words("有限公司 股份有限公司 有限责任公司 （集团）有限公司 （中国）有限公司 厂 "
              "商行 经营部 分公司");
    const QStringList marks = words("· ＆ — 、");
    std::mt19937 random(2024);
    std::bernoulli_distribution often(0.2), sometimes(0.08);
    std::uniform_int_distribution<int> number(1, 2000);
    QStringList names;
    names.reserve(count);
    while (names.size() < count) {
        // A second branch under the same name, or a customer typed in twice.
        if (!names.isEmpty() && sometimes(random)) {
            names << pick(random, names);
            continue;
        }
        QString name = often(random) ? pick(random, brands) : pick(random, cities);
        if (sometimes(random))
            name += QString::number(number(random));
        name += pick(random, stems);
        if (sometimes(random))
            name += pick(random, marks);
        name += pick(random, trades);
        name += sometimes(random) ? QStringLiteral("第%1分公司").arg(number(random) % 30 + 1)
                                  : pick(random, suffixes);
        names << name;
    }
    return names;
}

bool fill(sqlite3* db, const QStringList& names) {
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_exec(db, "begin", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, "insert into customer_info (company, isdel) values (?, 0)", -1, &insert,
                           nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (const QString& name : names) {
        const QByteArray utf8 = name.toUtf8();
        sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return sqlite3_exec(db, ok ? "commit" : "rollback", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

using Rows = std::vector<std::pair<std::string, qint64>>;

// The names and keys in the order the query gives them.
Rows ordered(sqlite3* db, const std::string& sql) {
    Rows rows;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        rows.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                                      sqlite3_column_bytes(statement, 0)),
                          sqlite3_column_int64(statement, 1));
    EXPECT_EQ(rc, SQLITE_DONE) << sql << ": " << sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    return rows;
}

// Where two orders first part, or -1; printing 200,000 rows would bury the one that matters.
qsizetype firstDifference(const Rows& a, const Rows& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            return qsizetype(i);
    return a.size() == b.size() ? -1 : qsizetype(std::min(a.size(), b.size()));
}

std::string describe(const Rows& rows, qsizetype i) {
    return i >= 0 && std::size_t(i) < rows.size() ? rows[i].first + " #" + std::to_string(rows[i].second)
                                                  : std::string("(no row)");
}

// The same comparison under another name, noting the calls that come from a thread other than the one
// stepping the statement: it shows that the engine really shares this sort out. Relaxed counting does
// not order anything between the threads, so it hides no race from the thread sanitizer.
struct ThreadWatch {
    std::thread::id stepping = std::this_thread::get_id();
    std::atomic<long> callsElsewhere{0};

    static int compare(void* watch, int sizeA, const void* a, int sizeB, const void* b) {
        auto* self = static_cast<ThreadWatch*>(watch);
        if (std::this_thread::get_id() != self->stepping)
            self->callsElsewhere.fetch_add(1, std::memory_order_relaxed);
        return PinyinCollation::compare(static_cast<const char*>(a), sizeA, static_cast<const char*>(b),
                                        sizeB);
    }
};

} // namespace

TEST(PinyinCollationThreads, ALargeSortGivesTheSameOrderWithHelperThreadsAsWithout) {
    TestDatabase t;
    sqlite3* db = t.db().Connection();
    const QStringList names = customerNames(200000);
    ASSERT_TRUE(fill(db, names)) << sqlite3_errmsg(db);
    // The connection as the program opened it: its helper threads for large sorts. A machine of one
    // processor gets none from the program; the test still wants two, which then take turns.
    ASSERT_EQ(sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, -1), EngineSettings::sortHelperThreads());
    if (EngineSettings::sortHelperThreads() == 0)
        sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, 2);
    // The engine keeps the rows of a sort in memory up to the page cache's size (and at least 250
    // pages) and sorts them there on the stepping thread alone, helpers or not. Only what spills past
    // that is written out in sorted parts by the helper threads and merged by them, between and during
    // the steps. One MiB makes these 200,000 names (about ten megabytes to sort) spill some ten times
    // over, whatever cache the program gives its connections.
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA cache_size = -1024", nullptr, nullptr, nullptr), SQLITE_OK);
    // Names alike but for the letter case of ASCII are equal to the collation, and a shared-out sort is
    // not stable: the key breaks their ties, so that exactly one order is right.
    const std::string query = "select company, ciid from customer_info order by company";
    const Rows threaded = ordered(db, query + ", ciid");
    ThreadWatch watch;
    ASSERT_EQ(sqlite3_create_collation(db, "PINYIN_WATCHED", SQLITE_UTF8, &watch, ThreadWatch::compare),
              SQLITE_OK);
    const Rows watched = ordered(db, query + " collate PINYIN_WATCHED, ciid");
    EXPECT_GT(watch.callsElsewhere.load(), 0) << "the engine sorted alone: the test shows nothing";

    sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, 0);
    const Rows alone = ordered(db, query + ", ciid");
    ASSERT_EQ(alone.size(), std::size_t(names.size()));
    const qsizetype differs = firstDifference(threaded, alone);
    EXPECT_EQ(differs, -1) << "with helpers " << describe(threaded, differs) << ", alone "
                           << describe(alone, differs);
    EXPECT_EQ(firstDifference(watched, alone), -1);
    // And that one order is the collation's.
    for (std::size_t i = 1; i < alone.size(); ++i) {
        const auto& [previous, previousKey] = alone[i - 1];
        const auto& [name, key] = alone[i];
        const int order =
            PinyinCollation::compare(previous.data(), int(previous.size()), name.data(), int(name.size()));
        ASSERT_TRUE(order < 0 || (order == 0 && previousKey < key)) << previous << " | " << name;
    }
}
