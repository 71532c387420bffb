#pragma once
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog: user id and password. OK stores both trimmed and hides the dialog; Cancel (or
// Escape anywhere) ends the program. The application object reads the fields after each showing.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    // 1 after OK, 0 after Cancel.
    qint16 flag() const { return m_flag; }
    // The entries as OK stored them, trimmed.
    const QString& userId() const { return m_userId; }
    const QString& password() const { return m_password; }

    QLineEdit* txtUserName() const { return m_txtUserName; }
    QLineEdit* txtPassWord() const { return m_txtPassWord; }
    // 0 OK, 1 Cancel.
    QPushButton* cmdOK(int index) const { return m_cmdOK.at(index); }
    QLabel* lblCompanyProduct() const { return m_lblCompanyProduct; }
    QLabel* lblVersion() const { return m_lblVersion; }

public slots:
    // 0 OK, 1 Cancel.
    void cmdOK_Click(int index);
    // Cancel: the flag becomes 0, the dialog hides and the program ends.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool CheckInput();

    QLabel* m_lblCompanyProduct = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLineEdit* m_txtUserName = nullptr;
    QLineEdit* m_txtPassWord = nullptr;
    std::array<QPushButton*, 2> m_cmdOK{};
    qint16 m_flag = 0;
    QString m_userId;
    QString m_password;
};
