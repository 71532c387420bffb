// The program's application object: the last guard at the event loop, and Qt's own texts in Chinese.
#include "app/CrmApplication.h"
#include "core/DbError.h"
#include "tests/fixtures/MessageRecorder.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

// An object whose event handler lets an error through, as a slot that forgot its guard would.
class Careless : public QObject {
public:
    std::function<void()> onEvent;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            onEvent();
        return QObject::event(e);
    }
};

} // namespace

TEST(CrmApplication, AnErrorThatLeavesAnEventHandlerIsShownAndTheProgramGoesOn) {
    ASSERT_NE(qobject_cast<CrmApplication*>(QCoreApplication::instance()), nullptr);
    MessageRecorder messages;
    Careless careless;
    const struct {
        std::function<void()> fail;
        const char16_t* text;
    } cases[] = {
        {[] { throw DbError(QStringLiteral("数据库正被其他程序使用（已锁定）：database is locked"), "x"); },
         u"系统发生错误！（数据库正被其他程序使用（已锁定）：database is locked）"},
        {[] { throw std::runtime_error("out of range"); }, u"系统发生错误！（out of range）"},
        {[] { throw 42; }, u"系统发生错误！（未知错误）"},
    };
    for (const auto& c : cases) {
        messages.clear();
        careless.onEvent = c.fail;
        QEvent event(QEvent::User);
        EXPECT_FALSE(QCoreApplication::sendEvent(&careless, &event));
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().text, QString::fromUtf16(c.text));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    }
    // A timer's body is guarded the same way, and later events are delivered as before.
    messages.clear();
    bool later = false;
    QTimer::singleShot(0, [] { throw DbError(QStringLiteral("no such table: x"), QStringLiteral("t")); });
    QTimer::singleShot(0, [&] { later = true; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("系统发生错误！（no such table: x）")});
    EXPECT_TRUE(later);
}

TEST(CrmApplication, QtsOwnTextsAreChinese) {
    QLineEdit edit;
    edit.setText(QStringLiteral("客户"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0); // without the shortcut
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.contains(QStringLiteral("撤消(&U)")) || texts.contains(QStringLiteral("撤销(&U)")))
        << texts.join(u'|').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("&Undo")));
    // The standard buttons of the message boxes and the calendar's names.
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(box.button(QMessageBox::Ok)->text().contains(QLatin1String("OK")))
        << box.button(QMessageBox::Ok)->text().toStdString();
    EXPECT_FALSE(box.button(QMessageBox::Cancel)->text().contains(QLatin1String("Cancel")));
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);
    EXPECT_EQ(QLocale().monthName(3), QStringLiteral("三月"));
}
