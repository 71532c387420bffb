#include "ui/ReadProgress.h"
#include "ui/ProgressService.h"

#include <QWidget>

ReadProgress::ReadProgress(const clsMDB& db, QWidget* owner, const QString& title)
    : m_owner(owner), m_title(title),
      m_watch(
          db, [this](qint64 rows) { return reading(rows); }, [this] { ended(); }) {}

ReadProgress::~ReadProgress() {
    ended();
}

QString ReadProgress::rowsText(qint64 rows) {
    if (rows == 0)
        return QStringLiteral("正在查询数据……");
    return QStringLiteral("正在读取数据：已读取 %1 行").arg(rows);
}

bool ReadProgress::reading(qint64 rows) {
    // The display is made only for a read that has run a while: a short one costs nothing, and its
    // dialog shows once the read has run half a second.
    if (!m_progress) {
        m_progress = ProgressService::create();
        m_progress->setOwner(m_owner);
        m_progress->start(m_title, rowsText(rows), 0);
    }
    m_progress->setLabel(rowsText(rows));
    // A bar without an end moves with every new value, before the first row too; and the dialog
    // processes events at each.
    return m_progress->setValue(++m_reports);
}

void ReadProgress::ended() {
    if (!m_progress)
        return;
    m_progress->finish();
    m_progress.reset();
    m_reports = 0;
}
