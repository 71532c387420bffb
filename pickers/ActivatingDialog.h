#pragma once
#include <QDialog>

// A modal picker window that does its loading work each time it becomes the active window (and
// once when shown, for platforms that never activate it). It sits centred on the screen, without
// minimise and maximise buttons.
class ActivatingDialog : public QDialog {
    Q_OBJECT
public:
    explicit ActivatingDialog(QWidget* parent = nullptr);

protected:
    // The work of each activation.
    virtual void onActivate() = 0;

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_loadedByShow = false;
};
