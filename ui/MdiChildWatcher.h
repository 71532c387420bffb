#pragma once
#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

// Watches the child windows of an MDI area, whoever adds them. When one is destroyed, the memory it held
// goes back to the system. And it tells which activations the user chose: going to another child
// window (a click, the Window menu, the dispatcher bringing it forward) is one; the area activating the
// same child again after a dialog or another program had the focus, or activating the next child while
// one is being closed, is not.
class MdiChildWatcher : public QObject {
    Q_OBJECT
public:
    // The area's watcher, made on first use.
    static MdiChildWatcher* of(QMdiArea* area);

signals:
    // The user went to this child window.
    void childChosen(QMdiSubWindow* sub);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void childDestroyed();
    void childActivated(QMdiSubWindow* sub);

private:
    explicit MdiChildWatcher(QMdiArea* area);
    void watchChild(QMdiSubWindow* sub);

    QPointer<QMdiSubWindow> m_lastActive;
    int m_closing = 0;
};
