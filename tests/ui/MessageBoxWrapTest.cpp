// A message box stays inside the screen: a failure whose statement or path has no blank to break at
// wraps between its characters, and what the user copies is the message as it was given.
#include "core/Messages.h"
#include "ui/MessageBoxService.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTextBoundaryFinder>
#include <gtest/gtest.h>

namespace {

const QChar BreakHere(0x200B);

// A statement as the customer card writes it: a long list of columns without a blank.
QString longStatement() {
    QString sql = QStringLiteral("update customer_info set ");
    for (int i = 0; i < 40; ++i)
        sql += QStringLiteral("column_number_%1=?,").arg(i);
    return sql + QStringLiteral("jp=? where ciid=?");
}

// The longest piece of a text between two places where a line may break.
qsizetype longestUnbreakable(const QString& text) {
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    qsizetype longest = 0;
    qsizetype from = 0;
    for (qsizetype at = lines.toNextBoundary(); at > 0; at = lines.toNextBoundary()) {
        longest = std::max(longest, at - from);
        from = at;
    }
    return longest;
}

QString withoutBreaks(QString text) {
    return text.remove(BreakHere);
}

TEST(MessageBoxWrap, LongRunsGetPlacesToBreakAndNothingElseChanges) {
    const QString path =
        QStringLiteral("/home/user/") + QString(120, QLatin1Char('a')) + QStringLiteral(".xls");
    const struct {
        const char* what;
        QString text;
        bool breaksAdded;
    } cases[] = {
        {"a short message", QStringLiteral("保存成功！"), false},
        {"words with blanks", QStringLiteral("database disk image is malformed and more words here"), false},
        {"Chinese text, which breaks anywhere", QString(300, QChar(0x4E2D)), false},
        {"a statement without blanks", longStatement(), true},
        {"a long path", path, true},
        {"a long run of emoji", QStringLiteral("\U0001F600").repeated(60), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString shown = wrappableText(c.text);
        EXPECT_EQ(withoutBreaks(shown), c.text);
        EXPECT_EQ(shown.contains(BreakHere), c.breaksAdded);
        // No piece without a place to break is longer than the box keeps on one line.
        EXPECT_LE(longestUnbreakable(shown), 40 + 1);
        EXPECT_FALSE(shown.contains(QString(QChar(0xD83D)) + BreakHere));
    }
}

// The failure of a save as the data-access object words it: reason, source and statement on lines of
// their own, the statement wrapped inside the box and the box inside the screen.
TEST(MessageBoxWrap, AWriteFailureWithALongStatementStaysInsideTheScreen) {
    const QString text =
        QStringLiteral("磁盘空间不足：database or disk is full\nSQLite\nsql:") + longStatement();
    const std::unique_ptr<QMessageBox> box =
        makeMessageBox(Message{text, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示")});
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    const QRect screen = box->screen()->availableGeometry();
    EXPECT_LE(box->frameGeometry().width(), screen.width());
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->wordWrap());
    // Every line of the label fits its width: its widest unbreakable piece is no wider than it.
    EXPECT_LE(label->minimumSizeHint().width(), label->width());
    EXPECT_LE(label->geometry().right(), box->contentsRect().right());
    EXPECT_GT(label->height(), 4 * label->fontMetrics().height()) << "the statement runs over several lines";

    QTest::keySequence(box.get(), QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    box->close();
}

} // namespace
