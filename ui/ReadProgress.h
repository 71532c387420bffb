#pragma once
#include "core/ReadWatch.h"

#include <QPointer>
#include <QString>
#include <memory>

class ProgressService;
class QWidget;
class clsMDB;

// The progress of the long reads of one data-access object, for the window that waits for them: while
// it lives, a read of `db` that runs past half a second shows the program's progress dialog over
// `owner`, counting the rows read so far, and the windows behind it repaint; 取消 or Escape stops the
// read, which then fails as cancelled (cancelled() is true; Query and ExecuteResults throw
// ReadCancelled): the window keeps what it showed and reports nothing. A read that ends sooner shows
// nothing.
//
// The dialog processes events from inside the engine's steps. It is modal, so no input reaches the
// other windows; what runs all the same (paints, timers) finds `db` refusing any use of its connection
// until the step goes on, and must not depend on it: the windows paint from the rows they hold.
class ReadProgress {
public:
    ReadProgress(const clsMDB& db, QWidget* owner, const QString& title);
    ~ReadProgress();
    ReadProgress(const ReadProgress&) = delete;
    ReadProgress& operator=(const ReadProgress&) = delete;

    bool cancelled() const { return m_watch.cancelled(); }

    // The dialog's text while the rows are counted, and before the first one comes (a large sort).
    static QString rowsText(qint64 rows);

private:
    bool reading(qint64 rows);
    void ended();

    QPointer<QWidget> m_owner;
    QString m_title;
    std::unique_ptr<ProgressService> m_progress; // made once a read has run a while
    int m_reports = 0;
    ReadWatch m_watch; // last: it goes first, before what it calls
};
