#include "reports/PrintProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

constexpr qint64 ShowAfterMs = 500;
constexpr qint64 RefreshMs = 100;

} // namespace

const QString PrintProgress::Title = QStringLiteral("打印");

ServiceHook<bool(PrintProgress&, const PrintProgress::Step&)>& PrintProgress::display() {
    static ServiceHook<bool(PrintProgress&, const Step&)> hook(
        [](PrintProgress& progress, const Step& step) { return progress.showDialog(step); });
    return hook;
}

PrintProgress::PrintProgress(QWidget* parent) : m_parent(parent) {
    m_clock.start();
}

PrintProgress::~PrintProgress() {
    delete m_dialog;
}

QProgressDialog* PrintProgress::dialog() const {
    return m_dialog;
}

bool PrintProgress::counting(int pages) {
    return step(QStringLiteral("正在分页……已排 %1 页").arg(pages), pages, 0);
}

bool PrintProgress::printing(int page, int pages) {
    return step(QStringLiteral("正在打印第 %1 页，共 %2 页").arg(page).arg(pages), page - 1, pages);
}

bool PrintProgress::step(const QString& label, int value, int maximum) {
    if (m_cancelled)
        return false;
    if (!display()(*this, Step{label, value, maximum, m_clock.elapsed()}))
        m_cancelled = true;
    return !m_cancelled;
}

bool PrintProgress::showDialog(const Step& step) {
    if (step.elapsedMs < ShowAfterMs)
        return true;
    if (m_lastShown >= 0 && step.elapsedMs - m_lastShown < RefreshMs)
        return !(m_dialog && m_dialog->wasCanceled());
    m_lastShown = step.elapsedMs;
    if (!m_dialog) {
        // Over the window the user works in when the preview window is not shown yet.
        QWidget* over = m_parent && m_parent->isVisible() ? m_parent.data() : QApplication::activeWindow();
        m_dialog = new QProgressDialog(step.label, QStringLiteral("取消"), 0, step.maximum, over);
        m_dialog->setObjectName(QStringLiteral("printProgress"));
        m_dialog->setWindowTitle(Title);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumWidth(320);
        m_dialog->show();
    }
    // While pages are counted their number is not known: a busy bar under the count.
    m_dialog->setMaximum(step.maximum);
    if (step.maximum > 0)
        m_dialog->setValue(step.value);
    m_dialog->setLabelText(step.label);
    // The dialog's own events (取消, Escape, painting) while the work holds the thread.
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}
