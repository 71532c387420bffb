#pragma once
#include <QApplication>

// The program's application object: Qt's own texts in Simplified Chinese, and an event delivery that
// is the last guard against errors. Its event delivery is the last guard against an error that a
// slot, timer or event handler let through: the error is shown ("系统发生错误！（…）") and the event
// counts as not handled, so no error of the program ends it.
class CrmApplication : public QApplication {
    Q_OBJECT
public:
    CrmApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static inline const QString FailureText = QStringLiteral("系统发生错误！");
};
