#pragma once
#include "ui/CentredDialog.h"

// A modal picker window that does its loading work when it is shown and again each time it becomes
// the active window after another window of the program (a dialog it opened) was active. Switching
// to another program and back, or closing a message box, reloads nothing. It sits centred on the
// screen, without minimise and maximise buttons.
class ActivatingDialog : public CentredDialog {
    Q_OBJECT
public:
    explicit ActivatingDialog(QWidget* parent = nullptr);

protected:
    // The work of each activation.
    virtual void onActivate() = 0;

    void onShown() override;
    void changeEvent(QEvent* event) override;

private:
    // Set when the window lost the activation to another window of the program.
    bool m_reloadOnActivation = false;
};
