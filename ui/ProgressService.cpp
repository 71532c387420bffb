#include "ui/ProgressService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>

namespace {

// Work shorter than this shows no dialog.
constexpr qint64 showAfterMs = 500;
// The dialog is updated (and the events it needs processed) at most this often.
constexpr qint64 updateEveryMs = 50;

class ProgressDialogDisplay final : public ProgressService {
public:
    ~ProgressDialogDisplay() override { finish(); }

    void start(const QString& title, const QString& label, int maximum) override {
        finish();
        m_title = title;
        m_label = label;
        m_maximum = maximum;
        m_cancelled = false;
        m_started.start();
        m_lastUpdate = 0;
    }

    bool setValue(int value) override {
        if (m_cancelled)
            return false;
        const qint64 elapsed = m_started.elapsed();
        if (elapsed < showAfterMs ||
            (m_dialog && elapsed - m_lastUpdate < updateEveryMs && value < m_maximum))
            return true;
        if (!m_dialog)
            show();
        m_lastUpdate = elapsed;
        m_dialog->setValue(qBound(0, value, m_maximum)); // a modal progress dialog processes events here
        m_cancelled = m_dialog->wasCanceled();
        return !m_cancelled;
    }

    void finish() override { delete m_dialog.data(); }

private:
    void show() {
        m_dialog =
            new QProgressDialog(m_label, QStringLiteral("取消"), 0, m_maximum, QApplication::activeWindow());
        auto* bar = new QProgressBar(m_dialog);
        bar->setFormat(QStringLiteral("%v / %m"));
        m_dialog->setBar(bar);
        m_dialog->setRange(0, m_maximum); // a new bar counts to 100
        m_dialog->setWindowTitle(m_title);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setMinimumWidth(360);
        m_dialog->show();
    }

    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
    qint64 m_lastUpdate = 0;
    QString m_title;
    QString m_label;
    int m_maximum = 0;
    bool m_cancelled = false;
};

} // namespace

std::unique_ptr<ProgressService> ProgressService::create() {
    return factory()();
}

ServiceHook<std::unique_ptr<ProgressService>()>& ProgressService::factory() {
    static ServiceHook<std::unique_ptr<ProgressService>()> hook(
        []() -> std::unique_ptr<ProgressService> { return std::make_unique<ProgressDialogDisplay>(); });
    return hook;
}
