// A file written by an earlier version, whose name indexes follow the code-page order and whose short
// names gave "Z" for every character beyond the first level of GB2312, is brought into the present
// order and readings when it is opened, once.
#include "core/AppInfo.h"
#include "core/ClassPy.h"
#include "core/JetFunctions.h"
#include "core/PinyinCodePageOrder.h"
#include "core/PinyinCollation.h"
#include "core/Schema.h"
#include "core/Settings.h"
#include "core/clsMDB.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"

#include <QSet>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Customers of both levels of GB2312 and of GBK, with the short names the earlier rule gave them.
const std::pair<const char*, const char*> OldCustomers[] = {
    {"北京华信", "BJHX"}, {"鑫源电器", "ZYDQ"}, {"昊天科技", "ZTKJ"}, {"珺瑶服饰", "ZYFS"},
    {"中联重科", "ZLZK"}, {"安达物流", "ADWL"}, {"琦丰贸易", "ZFMY"}, {"钰龙机械", "ZLJX"},
};
// In the present order (the earlier one put 中联重科 before all of the second level).
const QStringList NewOrder = {
    QStringLiteral("安达物流"), QStringLiteral("北京华信"), QStringLiteral("昊天科技"),
    QStringLiteral("珺瑶服饰"), QStringLiteral("琦丰贸易"), QStringLiteral("鑫源电器"),
    QStringLiteral("钰龙机械"), QStringLiteral("中联重科"),
};

int codePageOrder(void*, int sizeA, const void* a, int sizeB, const void* b) {
    return PinyinCodePageOrder::compare(static_cast<const char*>(a), sizeA, static_cast<const char*>(b),
                                        sizeB);
}

bool exec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    const bool ok = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK;
    EXPECT_TRUE(ok) << sql.toStdString() << ": " << (error ? error : "");
    sqlite3_free(error);
    return ok;
}

// The program's tables written under the earlier order, as a file of the version before the one-time
// steps: no steps table and no fingerprint. An index orders the customers by name, among them 2,000
// sample names (a few pages of index); a customer without a short name is among them.
void writeOldFile(const QString& extraSql = QString()) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(AppInfo::databaseFile().toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_TRUE(registerJetFunctions(db));
    ASSERT_EQ(sqlite3_create_collation(db, PinyinCollation::Name, SQLITE_UTF8, nullptr, codePageOrder),
              SQLITE_OK);
    QString error;
    ASSERT_TRUE(installSchema(db, error)) << error.toStdString();
    ASSERT_TRUE(exec(db, QStringLiteral("DROP TABLE schema_steps; PRAGMA user_version = 0;"
                                        "CREATE INDEX customer_info_company ON customer_info (company);"
                                        "BEGIN")));
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into customer_info (company, jp) values (?, ?)", -1, &insert, nullptr);
    const auto add = [&](const QString& company, const char* jp) {
        sqlite3_bind_text(insert, 1, company.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        jp ? sqlite3_bind_text(insert, 2, jp, -1, SQLITE_STATIC) : sqlite3_bind_null(insert, 2);
        EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
        sqlite3_reset(insert);
    };
    for (const auto& [company, jp] : OldCustomers)
        add(QString::fromUtf8(company), jp);
    add(QStringLiteral("淼森环保"), nullptr);
    for (const QString& company : SampleData::companyNames(2000))
        add(company, nullptr);
    sqlite3_finalize(insert);
    ASSERT_TRUE(exec(db, QStringLiteral("COMMIT")));
    if (!extraSql.isEmpty()) {
        ASSERT_TRUE(exec(db, extraSql));
    }
    sqlite3_close(db);
}

class OldPinyinFile : public ::testing::Test {
protected:
    void SetUp() override {
        Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("1"));
    }
    TestProgramFolder folder;
};

} // namespace

TEST_F(OldPinyinFile, OpeningRebuildsTheNameIndexesAndMakesTheShortNamesAgainOnce) {
    writeOldFile();
    {
        clsMDB db;
        QString error;
        ASSERT_TRUE(db.OpenDatabase(error)) << error.toStdString();
        EXPECT_EQ(column(db, QStringLiteral("PRAGMA integrity_check"))
                      .join(QLatin1Char('\n'))
                      .left(300)
                      .toStdString(),
                  "ok");

        // Read through the index: it holds the names in the present order.
        const QStringList ordered = column(db, QStringLiteral("select company from customer_info indexed by "
                                                              "customer_info_company where company >= '' "
                                                              "order by company"));
        ASSERT_EQ(ordered.size(), 2009);
        for (int i = 1; i < ordered.size(); ++i)
            ASSERT_LE(PinyinCollation::compare(ordered[i - 1], ordered[i]), 0) << i;
        const QSet<QString> chosen(NewOrder.begin(), NewOrder.end());
        QStringList customers;
        for (const QString& company : ordered)
            if (chosen.contains(company))
                customers << company;
        EXPECT_EQ(customers, NewOrder);
        EXPECT_EQ(column(db, QStringLiteral("select company from customer_info where company = '鑫源电器'")),
                  QStringList{QStringLiteral("鑫源电器")});

        // The short names are what the card makes now; typed initials find the old customer.
        for (const auto& [company, oldJp] : OldCustomers) {
            const QString name = QString::fromUtf8(company);
            EXPECT_EQ(
                column(db, QStringLiteral("select jp from customer_info where company = '%1'").arg(name)),
                QStringList{ClassPy().MSPYReverse(name, 0, QString()).toUpper()})
                << company;
        }
        EXPECT_EQ(column(db, QStringLiteral("select company from customer_info_view where jp like '%XYDQ%'")),
                  QStringList{QStringLiteral("鑫源电器")});
        EXPECT_EQ(column(db, QStringLiteral("select coalesce(jp, 'null') from customer_info where company = "
                                            "'淼森环保'")),
                  QStringList{QStringLiteral("null")});
        EXPECT_EQ(column(db, QStringLiteral("select name from schema_steps order by name")),
                  (QStringList{QStringLiteral("PINYIN by the Chinese collator"),
                               QStringLiteral("jp from Mandarin readings")}));
        EXPECT_EQ(column(db, QStringLiteral("PRAGMA user_version")),
                  QStringList{QString::number(schemaFingerprint())});
    }

    // A later change of the schema brings the file up to date again, but the steps do not run twice: a
    // short name written since stays.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(AppInfo::databaseFile().toUtf8().constData(), &raw), SQLITE_OK);
    ASSERT_TRUE(exec(raw, QStringLiteral("update customer_info set jp = 'KEEP' where ciid = 1;"
                                         "PRAGMA user_version = 0")));
    sqlite3_close(raw);
    clsMDB db;
    QString error;
    ASSERT_TRUE(db.OpenDatabase(error)) << error.toStdString();
    EXPECT_EQ(column(db, QStringLiteral("select jp from customer_info where ciid = 1")),
              QStringList{QStringLiteral("KEEP")});
    EXPECT_EQ(column(db, QStringLiteral("PRAGMA user_version")),
              QStringList{QString::number(schemaFingerprint())});
}

TEST_F(OldPinyinFile, AFailingStepLeavesTheFileAsItWas) {
    writeOldFile(QStringLiteral("CREATE TRIGGER injected BEFORE UPDATE OF jp ON customer_info "
                                "BEGIN SELECT RAISE(ABORT, 'injected'); END"));
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_TRUE(error.contains(QStringLiteral("injected"))) << error.toStdString();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(AppInfo::databaseFile().toUtf8().constData(), &raw), SQLITE_OK);
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(raw,
                       "select (select count(*) from sqlite_master where name = 'schema_steps'), "
                       "(select jp from customer_info where ciid = 2), "
                       "(select user_version from pragma_user_version)",
                       -1, &q, nullptr);
    ASSERT_EQ(sqlite3_step(q), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(q, 0), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(q, 1)), "ZYDQ");
    EXPECT_EQ(sqlite3_column_int(q, 2), 0);
    sqlite3_finalize(q);
    sqlite3_close(raw);
}
