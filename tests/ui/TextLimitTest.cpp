// Character limits of the one-line and the multi-line boxes: emoji and rare ideographs count as one
// character, a cut falls between characters, typed and pasted text alike.
#include "ui/TextLimit.h"
#include "tests/ui/TextEntry.h"
#include "ui/LineEditLimit.h"
#include "ui/PlainTextLimit.h"
#include "ui/TextBoxLimits.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QIntValidator>
#include <QSpinBox>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Emoji = QStringLiteral("😀");
const QString ExtB = QString::fromUcs4(U"\U00020000"); // 𠀀

TEST(TextLimit, CountsCharactersAndCutsBetweenThem) {
    EXPECT_EQ(TextLimit::characterCount(u"ab"), 2);
    EXPECT_EQ(TextLimit::characterCount(QString(Emoji + ExtB + QStringLiteral("客"))), 3);
    EXPECT_EQ(TextLimit::characterCount(QString(QChar(0xD83D))), 1); // a lone surrogate is one
    const struct {
        QString text;
        int limit;
        QString kept;
    } cases[] = {
        {"abc", 5, "abc"},
        {"ab" + Emoji + "c", 3, "ab" + Emoji},
        {"ab" + Emoji + "c", 2, "ab"},
        {ExtB + ExtB + ExtB, 2, ExtB + ExtB},
        // A letter keeps its combining mark or goes with it; a flag is not split into its halves.
        {QStringLiteral("cafe\u0301s"), 4, "caf"},
        {QStringLiteral("cafe\u0301s"), 5, QStringLiteral("cafe\u0301")},
        {"a" + QStringLiteral("🇨🇳"), 2, "a"},
        {"abc", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + std::to_string(c.limit));
        EXPECT_EQ(TextLimit::firstCharacters(c.text, c.limit), c.kept);
    }
}

// Every limited box, typed or pasted, with texts one short of the limit, at it and one past it,
// ending in an emoji or a rare ideograph: the box keeps the first characters up to the limit, whole.
TEST(TextLimit, BoxesTakeTheirLimitInWholeCharactersTypedOrPasted) {
    const int limit = 6;
    const std::function<std::unique_ptr<QWidget>()> boxes[] = {
        [] {
            auto line = std::make_unique<QLineEdit>();
            limitLineEdit(line.get(), limit);
            return std::unique_ptr<QWidget>(std::move(line));
        },
        [] {
            auto plain = std::make_unique<QPlainTextEdit>();
            limitPlainText(plain.get(), limit);
            return std::unique_ptr<QWidget>(std::move(plain));
        },
    };
    for (const auto& makeBox : boxes) {
        for (bool typed : {true, false}) {
            for (const QString& last : {Emoji, ExtB}) {
                // One short of the limit, at it, one past it, and one past it with the last
                // character that fits an emoji or a rare ideograph.
                const QString texts[] = {TextEntry::endingIn(limit - 1, last),
                                         TextEntry::endingIn(limit, last),
                                         TextEntry::endingIn(limit + 1, last),
                                         TextEntry::endingIn(limit, last) + QStringLiteral("b")};
                for (const QString& text : texts) {
                    const std::unique_ptr<QWidget> box = makeBox();
                    const int count = TextLimit::characterCount(text);
                    SCOPED_TRACE(QStringLiteral("%1 %2 %3 characters ending in %4")
                                     .arg(box->metaObject()->className(), typed ? "typed" : "pasted")
                                     .arg(count)
                                     .arg(last)
                                     .toStdString());
                    if (typed)
                        TextEntry::type(box.get(), text);
                    else
                        TextEntry::paste(box.get(), text);
                    const QString shown = TextEntry::shown(box.get());
                    const QStringList characters = TextEntry::characters(text);
                    EXPECT_EQ(shown, characters.mid(0, limit).join(QString()));
                    EXPECT_FALSE(TextEntry::broken(shown));
                    EXPECT_LE(TextLimit::characterCount(shown), limit);
                }
            }
        }
    }
}

TEST(LineEditLimit, WhatDoesNotFitIsDroppedFromTheInsertionAndTheCursorStaysBehindIt) {
    QLineEdit edit;
    limitLineEdit(&edit, 5);
    EXPECT_EQ(lineEditLimit(&edit), 5);
    EXPECT_EQ(edit.maxLength(), QLineEdit().maxLength()); // the unit count of Qt plays no part

    edit.setText(QStringLiteral("abcd"));
    edit.setCursorPosition(2);
    TextEntry::paste(&edit, Emoji + "XYZ");
    EXPECT_EQ(edit.text(), "ab" + Emoji + "cd");
    EXPECT_EQ(edit.cursorPosition(), 4);
    // A full box takes no more, also not the first half of an emoji.
    TextEntry::type(&edit, Emoji);
    EXPECT_EQ(edit.text(), "ab" + Emoji + "cd");
    // Five emoji fill it, ten UTF-16 units.
    edit.clear();
    TextEntry::paste(&edit, QString(Emoji).repeated(7));
    EXPECT_EQ(edit.text(), QString(Emoji).repeated(5));
    // A text the program sets is cut as well, and what follows the box sees only the kept text.
    QStringList changes;
    QObject::connect(&edit, &QLineEdit::textChanged, [&](const QString& text) { changes << text; });
    edit.setText("abcd" + Emoji + ExtB);
    EXPECT_EQ(edit.text(), "abcd" + Emoji);
    EXPECT_EQ(changes, QStringList{"abcd" + Emoji});
    const QLineEdit unlimited;
    EXPECT_EQ(lineEditLimit(&unlimited), 0);
    // A box of 32,767 characters takes as many emoji: Qt's count of units gives way.
    limitLineEdit(&edit, 32767);
    EXPECT_EQ(lineEditLimit(&edit), 32767);
    edit.clear();
    TextEntry::paste(&edit, QString(Emoji).repeated(32768));
    EXPECT_EQ(edit.text(), QString(Emoji).repeated(32767));
}

// The default limit a dialog's boxes get when it runs: every box without a limit takes 32,767
// characters, a box with a limit of its own keeps it, a validator of the dialog's own stays, and the
// one-line boxes inside spin boxes and date pickers are no text boxes.
TEST(TextBoxLimits, EveryTextBoxOfADialogWithoutALimitGetsTheDefault) {
    QDialog dialog;
    auto* plain = new QLineEdit(&dialog);
    auto* limited = new QLineEdit(&dialog);
    limitLineEdit(limited, 10);
    auto* numbers = new QLineEdit(&dialog);
    numbers->setValidator(new QIntValidator(numbers));
    auto* combo = new QComboBox(&dialog);
    combo->setEditable(true);
    auto* multi = new QPlainTextEdit(&dialog);
    auto* remark = new QPlainTextEdit(&dialog);
    limitPlainText(remark, 128);
    auto* spin = new QSpinBox(&dialog);
    auto* date = new QDateEdit(&dialog);
    for (int run = 0; run < 2; ++run) { // running the dialog again changes nothing
        TextBoxLimits::limitUnlimited(dialog);
        const struct {
            QWidget* box;
            int limit;
        } cases[] = {{plain, 32767}, {limited, 10}, {numbers, 0}, {combo->lineEdit(), 32767},
                     {multi, 32767}, {remark, 128}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.box->metaObject()->className());
            EXPECT_EQ(TextBoxLimits::limitOf(c.box), c.limit);
        }
        EXPECT_EQ(TextBoxLimits::textBoxes(dialog).size(), 6);
        EXPECT_FALSE(TextBoxLimits::textBoxes(dialog).contains(spin->findChild<QLineEdit*>()));
        EXPECT_FALSE(TextBoxLimits::textBoxes(dialog).contains(date->findChild<QLineEdit*>()));
        EXPECT_TRUE(qobject_cast<const QIntValidator*>(numbers->validator()));
        EXPECT_EQ(dialog.findChildren<PlainTextLimit*>().size(), 2);
    }
}

} // namespace
