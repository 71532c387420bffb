#include "shell/CloseAllChildForms.h"
#include "core/Globals.h"
#include "core/WaitCursor.h"
#include "shell/MDIMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

void CloseAllChildForms() {
    WaitCursor hourglass;
    if (!gMDIMain)
        return;
    {
        const QList<QMdiSubWindow*> children = gMDIMain->mdiArea()->subWindowList(QMdiArea::CreationOrder);
        for (qsizetype i = children.size() - 1; i >= 0; --i) {
            QPointer<QMdiSubWindow> child = children[i];
            if (child)
                child->close();
        }
    }
    // Windows shown modeless without owner (the report windows), newest first as far as Qt knows.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> open;
    for (QWidget* window : windows) {
        if (window == gMDIMain || !window->isVisible() || window->parentWidget())
            continue;
        const Qt::WindowType type = window->windowType();
        if (type != Qt::Window && type != Qt::Dialog)
            continue;
        open << window;
    }
    for (qsizetype i = open.size() - 1; i >= 0; --i)
        if (open[i])
            open[i]->close();
}
