#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The small window that shows while another program holds the database locked: after a second of
// waiting it says so, and its button stops the wait (the statement then fails as locked). Installed
// behind the data layer's LockWait hooks.
class LockWaitWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int ShowAfterMs = 1000;

    explicit LockWaitWindow(QWidget* parent = nullptr);

    QLabel* lblWaiting;
    QPushButton* cmdStopWaiting;

    bool stopRequested() const { return m_stop; }

    // Puts the window behind LockWait::waiting and LockWait::ended.
    static void install();

private:
    bool m_stop = false;
};
