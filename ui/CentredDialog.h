#pragma once
#include <QDialog>

// A fixed-size dialog without minimise and maximise buttons that sits centred on the screen each
// time the program shows it, then does the work of its showing (onShown). Showing it again after the
// window system restored it from elsewhere does nothing.
class CentredDialog : public QDialog {
    Q_OBJECT
public:
    explicit CentredDialog(QWidget* parent = nullptr);

protected:
    // The work of each showing, after the window was centred.
    virtual void onShown() = 0;

    // Whether Escape closes the window as it closes any dialog (the default). A record dialog that
    // keeps what was typed turns it off: Escape then does nothing.
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }

    // After the work of a showing failed to read what the window needs (its message has said why):
    // the window goes without a result once its modal run is under way, rather than stand empty.
    void closeAfterFailure();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_closesOnEscape = true;
};
