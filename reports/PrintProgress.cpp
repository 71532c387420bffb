#include "reports/PrintProgress.h"
#include "ui/ProgressService.h"

const QString PrintProgress::Title = QStringLiteral("打印");

PrintProgress::PrintProgress(QWidget* window) : m_progress(ProgressService::create()) {
    m_progress->setOwner(window);
    m_progress->start(Title, QString(), 0);
}

PrintProgress::~PrintProgress() {
    m_progress->finish();
}

bool PrintProgress::counting(int pages) {
    return step(QStringLiteral("正在分页……已排 %1 页").arg(pages), pages, 0);
}

bool PrintProgress::printing(int page, int pages) {
    return step(QStringLiteral("正在打印第 %1 页，共 %2 页").arg(page).arg(pages), page - 1, pages);
}

void PrintProgress::printed(int pages) {
    step(QStringLiteral("正在打印第 %1 页，共 %1 页").arg(pages), pages, pages);
}

bool PrintProgress::step(const QString& label, int value, int maximum) {
    if (m_cancelled)
        return false;
    m_progress->setLabel(label);
    m_progress->setMaximum(maximum);
    m_cancelled = !m_progress->setValue(value);
    return !m_cancelled;
}
