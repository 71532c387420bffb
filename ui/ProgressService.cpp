#include "ui/ProgressService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>

namespace {

// Work shorter than this shows no dialog.
constexpr int DefaultShowAfterMs = 500;
int g_showAfterMs = DefaultShowAfterMs;
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
        m_countInLabel = false;
        m_cancelled = false;
        m_started.start();
        m_lastUpdate = 0;
    }

    bool setValue(int value) override {
        if (m_cancelled)
            return false;
        const qint64 elapsed = m_started.elapsed();
        if (elapsed < ProgressService::showAfterMs())
            return true;
        // The last value of a counted piece of work always shows.
        const bool last = m_maximum > 0 && value >= m_maximum;
        if (!m_dialog)
            show();
        else if (elapsed - m_lastUpdate < updateEveryMs && !last)
            return !m_dialog->wasCanceled();
        m_lastUpdate = elapsed;
        update(value); // a modal progress dialog processes events here
        m_cancelled = m_dialog->wasCanceled();
        return !m_cancelled;
    }

    void setLabel(const QString& label) override {
        m_label = label;
        m_countInLabel = true;
    }

    void setMaximum(int maximum) override {
        // A new stage of the work shows at once.
        if (maximum != m_maximum)
            m_lastUpdate = -updateEveryMs;
        m_maximum = maximum;
    }

    void setOwner(QWidget* window) override { m_owner = window; }

    void finish() override { delete m_dialog.data(); }

private:
    void show() {
        QWidget* over = m_owner && m_owner->isVisible() ? m_owner.data() : QApplication::activeWindow();
        m_dialog = new QProgressDialog(m_label, QStringLiteral("取消"), 0, m_maximum, over);
        m_bar = new QProgressBar(m_dialog);
        m_dialog->setBar(m_bar);
        m_dialog->setWindowTitle(m_title);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setMinimumWidth(360);
        // Escape rejects the dialog, which only hides it: it cancels the work as 取消 does.
        QObject::connect(m_dialog, &QDialog::rejected, m_dialog, &QProgressDialog::cancel);
        m_dialog->show();
    }

    void update(int value) {
        m_bar->setFormat(m_countInLabel ? QStringLiteral("%p%") : QStringLiteral("%v / %m"));
        m_dialog->setLabelText(m_label);
        m_dialog->setRange(0, m_maximum); // a new bar counts to 100
        // Without an end the busy bar takes any value, and a new one lets the dialog process events.
        m_dialog->setValue(m_maximum > 0 ? qBound(0, value, m_maximum) : value);
    }

    QPointer<QProgressDialog> m_dialog;
    QProgressBar* m_bar = nullptr; // the dialog's
    QPointer<QWidget> m_owner;
    QElapsedTimer m_started;
    qint64 m_lastUpdate = 0;
    QString m_title;
    QString m_label;
    int m_maximum = 0;
    bool m_countInLabel = false;
    bool m_cancelled = false;
};

} // namespace

std::unique_ptr<ProgressService> ProgressService::create() {
    return factory()();
}

ServiceHook<std::unique_ptr<ProgressService>()>& ProgressService::factory() {
    static ServiceHook<std::unique_ptr<ProgressService>()> hook(&ProgressService::dialog);
    return hook;
}

std::unique_ptr<ProgressService> ProgressService::dialog() {
    return std::make_unique<ProgressDialogDisplay>();
}

int ProgressService::showAfterMs() {
    return g_showAfterMs;
}

void ProgressService::setShowAfterMs(int ms) {
    g_showAfterMs = ms;
}
