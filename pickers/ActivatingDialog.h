#pragma once
#include <QDialog>

// A modal picker window that does its loading work when it is shown and again each time it becomes
// the active window after another window of the program (a dialog it opened) was active. Switching
// to another program and back, or closing a message box, reloads nothing. It sits centred on the
// screen, without minimise and maximise buttons.
class ActivatingDialog : public QDialog {
    Q_OBJECT
public:
    explicit ActivatingDialog(QWidget* parent = nullptr);

protected:
    // The work of each activation.
    virtual void onActivate() = 0;

    // Whether Escape closes the window as it closes any dialog (the default). A record dialog that
    // keeps what was typed turns it off: Escape then does nothing.
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_closesOnEscape = true;
    // Set when the window lost the activation to another window of the program.
    bool m_reloadOnActivation = false;
};
