#pragma once
#include "core/Recordset.h"
#include "core/clsMDB.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/IRecordDialog.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A fresh database and a message recorder per test, with small helpers for the administration
// dialogs.
class AdminTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;

    // A dialog made, given its mode and row query, and shown (which activates it).
    template <typename Dialog> std::unique_ptr<Dialog> shown(RecordMode mode, const QString& rowQuery = {}) {
        auto dialog = std::make_unique<Dialog>();
        dialog->setMode(mode);
        dialog->setRowQuery(rowQuery);
        dialog->show();
        return dialog;
    }

    // One column of a query, top to bottom.
    QStringList column(const QString& sql, const QVariantList& params = {}) {
        QStringList values;
        std::optional<Recordset> rows = db.GetRS(sql, params);
        EXPECT_TRUE(rows.has_value()) << sql.toStdString();
        if (rows)
            for (; !rows->Eof(); rows->MoveNext())
                values << rows->Fields(0).toString();
        return values;
    }
    QString value(const QString& sql, const QVariantList& params = {}) {
        return column(sql, params).value(0);
    }
    qint64 insert(const QString& sql, const QVariantList& params = {}) {
        EXPECT_TRUE(db.ExecSQL(sql, params)) << sql.toStdString();
        return db.LastInsertID();
    }

    // Makes every `event` on `table` fail while `condition` (on NEW or OLD) holds.
    void failWhen(const QString& event, const QString& table, const QString& condition) {
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("CREATE TRIGGER injected_%1_%2 BEFORE %2 ON %1 WHEN %3 BEGIN "
                                              "SELECT RAISE(ABORT, 'injected'); END")
                                   .arg(table, event, condition)));
    }

    // The message texts so far, then forgets them.
    QStringList takeMessages() {
        const QStringList texts = messages.texts();
        messages.clear();
        return texts;
    }
};
