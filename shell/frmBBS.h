#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// The feedback window "意见反馈": a static page with links to the maker's guest book, web page and mail.
class frmBBS : public QDialog {
    Q_OBJECT
public:
    explicit frmBBS(QWidget* parent = nullptr);

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblVer1 = nullptr;
    QLabel* lblVer = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr; // "反馈留言": the guest book
    QLabel* Label11 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr; // mail to the maker
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr; // "   反馈留言": the guest book
    QLabel* Label7 = nullptr; // the web page
    QLabel* Label8 = nullptr; // mail to the maker
    QLabel* Label4 = nullptr; // the maker's contact text
    // Present as on the About window; nothing fills them.
    QLabel* lblUser = nullptr;
    QLabel* lblUnit = nullptr;
    QLabel* LblActiveServer = nullptr;
    QLabel* LblActiveDatabase = nullptr;
    QPushButton* cmdOK = nullptr;

public slots:
    void Label6_Click();
    void Label7_Click();
    void Label8_Click();
    void Label9_Click();
    void Label10_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
