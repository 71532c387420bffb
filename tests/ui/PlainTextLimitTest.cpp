// A multi-line box with a maximum length, as the contact-record and visit dialogs use it.
#include "ui/PlainTextLimit.h"

#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(PlainTextLimit, TextPastTheLimitIsCutAndTheCursorStays) {
    QPlainTextEdit edit;
    limitPlainText(&edit, 5);

    edit.setPlainText(QStringLiteral("一二三四五六七"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("一二三四五"));

    // Typing in the middle of a full box: the end goes, the cursor stays behind the typed character.
    edit.setPlainText(QStringLiteral("abcd"));
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(2);
    edit.setTextCursor(cursor);
    QTest::keyClicks(&edit, "XY");
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("abXYc"));
    EXPECT_EQ(edit.textCursor().position(), 4);

    // A text within the limit is left alone.
    edit.setPlainText(QStringLiteral("ab"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab"));

    // The box tells its limit; a new limit takes the old one's place and cuts at once.
    EXPECT_EQ(plainTextLimit(&edit), 5);
    limitPlainText(&edit, 1);
    EXPECT_EQ(plainTextLimit(&edit), 1);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("a"));
    const QPlainTextEdit unlimited;
    EXPECT_EQ(plainTextLimit(&unlimited), 0);
}
