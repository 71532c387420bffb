#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The About window "关于": version, operator, department and the shared connection's server and
// database, three links to the maker, and a hidden key that clears the configured flag of the
// settings store so that the next start writes the database configuration again.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The size of the About window, which the feedback window shares.
    static constexpr QSize WindowSize{580, 240};

    // The hidden key combination: Ctrl+Alt+Shift+D.
    static bool isHiddenKey(int key, Qt::KeyboardModifiers modifiers);

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblVer1 = nullptr;
    QLabel* lblVer = nullptr;
    QLabel* Label6_2 = nullptr; // "活动服务器："
    QLabel* LblActiveServer = nullptr;
    QLabel* Label6_3 = nullptr; // "活动数据库："
    QLabel* LblActiveDatabase = nullptr;
    QLabel* lblUser = nullptr;
    QLabel* lblUnit = nullptr;
    QLabel* Label7 = nullptr; // the maker's web page
    QLabel* Label8 = nullptr; // mail to the maker
    QLabel* Label9 = nullptr; // the maker's guest book
    QPushButton* cmdOK = nullptr;

public slots:
    // Caption, operator, department, version and the shared connection's names; runs at every showing,
    // as the window is loaded afresh each time it is opened.
    void Form_Load();
    void Label7_Click();
    void Label8_Click();
    void Label9_Click();
    // Runs the hidden function when the key is the hidden combination; answers whether it did.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
