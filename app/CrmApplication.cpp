#include "app/CrmApplication.h"
#include "core/DbError.h"
#include "ui/SlotGuard.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

CrmApplication::CrmApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Qt's own texts (the line edits' context menus, the child windows' system menus, the standard
    // dialogs) and the calendar speak Simplified Chinese as the rest of the program does.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    else
        delete translator;
}

bool CrmApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& error) {
        showGuardedFailure(FailureText, error.description());
    } catch (const std::exception& error) {
        showGuardedFailure(FailureText, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showGuardedFailure(FailureText, QStringLiteral("未知错误"));
    }
    return false;
}
