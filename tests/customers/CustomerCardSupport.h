#pragma once
// What the customer card and visit dialog tests share: a fresh database, the message recorder, the
// file picker and desktop opener answered by the test, and small query helpers.
#include "core/FileDialogs.h"
#include "core/ShellOpen.h"
#include "core/clsMDB.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QUrl>
#include <gtest/gtest.h>

class CardTest : public ::testing::Test {
protected:
    CardTest()
        : m_pick(FileDialogs::handler(),
                 [this](QWidget*, const FileDialogs::Request& request) {
                     pickRequests << request;
                     return picks.isEmpty() ? QString() : picks.takeFirst();
                 }),
          m_open(ShellOpen::handler(), [this](const QUrl& target) {
              opened << target.toLocalFile();
              return true;
          }) {}

    // The first column of every row of a query.
    QStringList column(const QString& sql, const QVariantList& params = {}) {
        QStringList values;
        auto rs = db.GetRS(sql, params);
        EXPECT_TRUE(rs) << sql.toStdString() << ": " << db.lastError().toStdString();
        for (; rs && !rs->Eof(); rs->MoveNext())
            values << (rs->Fields(0).isNull() ? QStringLiteral("<null>") : rs->Fields(0).toString());
        return values;
    }
    QString value(const QString& sql, const QVariantList& params = {}) {
        const QStringList values = column(sql, params);
        return values.isEmpty() ? QStringLiteral("<none>") : values.first();
    }
    QByteArray bytes(const QString& sql, const QVariantList& params = {}) {
        auto rs = db.GetRS(sql, params);
        return rs && !rs->Eof() ? rs->Fields(0).toByteArray() : QByteArray();
    }

    // A statement on `table` that fails with "injected" while the trigger is there.
    void failOn(const QString& event, const QString& table) {
        ASSERT_TRUE(db.ExecSQL(QStringLiteral("CREATE TRIGGER injected BEFORE %1 ON %2 BEGIN SELECT "
                                              "RAISE(ABORT, 'injected'); END")
                                   .arg(event, table)));
    }
    void stopFailing() { ASSERT_TRUE(db.ExecSQL(QStringLiteral("DROP TRIGGER injected"))); }

    // A file in the test's folder with these bytes; answers its path.
    QString makeFile(const QString& name, const QByteArray& content) {
        QDir(base.folder()).mkpath(QStringLiteral("files"));
        const QString path = QDir(base.folder()).filePath(QStringLiteral("files/") + name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    QStringList picks;                        // the answers of the file picker, first to last
    QList<FileDialogs::Request> pickRequests; // what the picker was asked
    QStringList opened;                       // the files the desktop was asked to open

private:
    ScopedHook<QString(QWidget*, const FileDialogs::Request&)> m_pick;
    ScopedHook<bool(const QUrl&)> m_open;
};
