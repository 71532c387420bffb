#include "ui/MdiChildWatcher.h"
#include "ui/MemoryRelease.h"

#include <QChildEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

MdiChildWatcher::MdiChildWatcher(QMdiArea* area) : QObject(area) {
    setObjectName(QStringLiteral("MdiChildWatcher"));
    area->viewport()->installEventFilter(this);
    for (QMdiSubWindow* sub : area->subWindowList())
        watchChild(sub);
    m_lastActive = area->activeSubWindow();
    connect(area, &QMdiArea::subWindowActivated, this, &MdiChildWatcher::childActivated);
}

MdiChildWatcher* MdiChildWatcher::of(QMdiArea* area) {
    if (!area)
        return nullptr;
    auto* watcher = area->findChild<MdiChildWatcher*>(QString(), Qt::FindDirectChildrenOnly);
    return watcher ? watcher : new MdiChildWatcher(area);
}

void MdiChildWatcher::watchChild(QMdiSubWindow* sub) {
    sub->installEventFilter(this);
    connect(sub, &QObject::destroyed, this, &MdiChildWatcher::childDestroyed, Qt::UniqueConnection);
}

bool MdiChildWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildPolished) {
        // A sub-window is polished when it is first shown, whether the shell or a window added it.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child()))
            watchChild(sub);
    } else if (event->type() == QEvent::Close && qobject_cast<QMdiSubWindow*>(watched)) {
        // The area activates the next child while the close is handled; the mark lasts that long.
        ++m_closing;
        QTimer::singleShot(0, this, [this] { m_closing = 0; });
    }
    return QObject::eventFilter(watched, event);
}

void MdiChildWatcher::childActivated(QMdiSubWindow* sub) {
    // Null while the main window is inactive (a dialog over it): the active child stays the same.
    if (!sub)
        return;
    const bool chosen = sub != m_lastActive && m_closing == 0;
    m_lastActive = sub;
    if (chosen)
        emit childChosen(sub);
}

void MdiChildWatcher::childDestroyed() {
    MemoryRelease::releaseSoon();
}
