#pragma once
#include "core/ServiceHook.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of a long print step: laying a document out ("pages counted") and printing it page by
// page. Work that takes longer than half a second shows a progress dialog with "取消"; the work asks
// after each page whether to go on. Tests answer through display() without a screen.
class PrintProgress {
public:
    // What the dialog would show now: the text, the value and the maximum (0 while pages are
    // counted), and the time since the work began.
    struct Step {
        QString label;
        int value = 0;
        int maximum = 0;
        qint64 elapsedMs = 0;
    };

    explicit PrintProgress(QWidget* parent);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // `pages` laid out so far; false once the user has cancelled.
    bool counting(int pages);
    // Page `page` (from 1) of `pages` is about to print; false once the user has cancelled.
    bool printing(int page, int pages);
    bool cancelled() const { return m_cancelled; }
    // The dialog as shown, or null while none is.
    QProgressDialog* dialog() const;

    // Shows a step; answers false when the user cancelled. The default shows the dialog after half a
    // second and refreshes it a few times a second.
    static ServiceHook<bool(PrintProgress&, const Step&)>& display();
    static const QString Title;
    // The default of display().
    bool showDialog(const Step& step);

private:
    bool step(const QString& label, int value, int maximum);

    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    qint64 m_lastShown = -1;
    bool m_cancelled = false;
};
