#include "shell/frmBaseEnvCfg.h"
#include "core/AppInfo.h"
#include "core/Messages.h"
#include "core/ProgramEnd.h"
#include "core/WaitCursor.h"
#include "ui/LineEditLimit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString InfoTitle = QStringLiteral("提示信息");

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

frmBaseEnvCfg::frmBaseEnvCfg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("系统配置"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    const char16_t* const labelTexts[8] = {u"数据库服务器名称(&S)", u"数据库用户(&U)", u"用户密码(&P)",
                                           u"游标引擎的位置(&W)",   u"缓冲区大小(&R)", u"命令超时(&T)",
                                           u"数据库名称(&D)",       u"数据库方式(&S)"};
    for (int i = 0; i < 8; ++i) {
        Label1[i] = new QLabel(QString::fromUtf16(labelTexts[i]), this);
        Label1[i]->setObjectName(indexed("Label1", i));
    }

    Frame1 = new QGroupBox(QStringLiteral("系统配置"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option1[0] = new QRadioButton(QStringLiteral("单机数据库"), Frame1);
    Option1[1] = new QRadioButton(QStringLiteral("网络数据库"), Frame1);
    for (int i = 0; i < 2; ++i)
        Option1[i]->setObjectName(indexed("Option1", i));
    Option1[0]->hide();

    const int maxLengths[6] = {20, 20, 20, 16, 3, 5};
    for (int i = 0; i < 6; ++i) {
        txtInput[i] = new QLineEdit(this);
        txtInput[i]->setObjectName(indexed("txtInput", i));
        limitLineEdit(txtInput[i], maxLengths[i]);
        txtInput[i]->installEventFilter(this);
    }
    txtInput[3]->setEchoMode(QLineEdit::Password);
    txtInput[3]->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    txtInput[3]->setAttribute(Qt::WA_InputMethodEnabled, false);

    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(Option1[1]);
    kindRow->addWidget(Option1[0]);
    kindRow->addStretch();
    auto* grid1 = new QGridLayout(Frame1);
    grid1->setContentsMargins(8, 4, 8, 6);
    grid1->setVerticalSpacing(3);
    grid1->addWidget(Label1[7], 0, 0);
    grid1->addLayout(kindRow, 0, 1);
    const int frame1Labels[4] = {0, 6, 1, 2};
    for (int row = 0; row < 4; ++row) {
        grid1->addWidget(Label1[frame1Labels[row]], row + 1, 0);
        grid1->addWidget(txtInput[row], row + 1, 1);
        Label1[frame1Labels[row]]->setBuddy(txtInput[row]);
    }
    Label1[7]->setBuddy(Option1[1]);

    Frame2 = new QGroupBox(QStringLiteral("选项"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    cboBaseCfg = new QComboBox(Frame2);
    cboBaseCfg->setObjectName(QStringLiteral("cboBaseCfg"));
    cboBaseCfg->installEventFilter(this);
    auto* grid2 = new QGridLayout(Frame2);
    grid2->setContentsMargins(8, 4, 8, 6);
    grid2->setVerticalSpacing(3);
    grid2->addWidget(Label1[3], 0, 0);
    grid2->addWidget(cboBaseCfg, 0, 1);
    grid2->addWidget(Label1[5], 1, 0);
    grid2->addWidget(txtInput[4], 1, 1);
    grid2->addWidget(Label1[4], 2, 0);
    grid2->addWidget(txtInput[5], 2, 1);
    Label1[3]->setBuddy(cboBaseCfg);
    Label1[5]->setBuddy(txtInput[4]);
    Label1[4]->setBuddy(txtInput[5]);

    const char16_t* const buttonTexts[4] = {u"   确定(&O)", u"取消(&C)", u"帮助(&H)", u"选项>>"};
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addSpacing(8);
    for (int i = 0; i < 4; ++i) {
        cmdOK[i] = new QPushButton(QString::fromUtf16(buttonTexts[i]), this);
        cmdOK[i]->setObjectName(indexed("cmdOK", i));
        cmdOK[i]->setMinimumWidth(88);
        buttons->addWidget(cmdOK[i]);
    }
    cmdOK[2]->hide();
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(Frame1, 1);
    top->addLayout(buttons);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 4, 8, 6);
    main->setSpacing(4);
    main->addLayout(top);
    main->addWidget(Frame2);
    main->addStretch();

    setTabOrder(Option1[1], txtInput[0]);
    setTabOrder(txtInput[0], txtInput[1]);
    setTabOrder(txtInput[1], txtInput[2]);
    setTabOrder(txtInput[2], txtInput[3]);
    setTabOrder(txtInput[3], cboBaseCfg);
    setTabOrder(cboBaseCfg, txtInput[4]);
    setTabOrder(txtInput[4], txtInput[5]);
    setTabOrder(txtInput[5], cmdOK[0]);
    setTabOrder(cmdOK[0], cmdOK[1]);
    setTabOrder(cmdOK[1], cmdOK[3]);

    connect(Option1[0], &QRadioButton::clicked, this, [this] { chooseDatabaseKind(0); });
    connect(Option1[1], &QRadioButton::clicked, this, [this] { chooseDatabaseKind(1); });
    connect(cmdOK[0], &QPushButton::clicked, this, [this] { saveSettings(); });
    connect(cmdOK[1], &QPushButton::clicked, this, &frmBaseEnvCfg::cancel);
    connect(cmdOK[2], &QPushButton::clicked, this, &frmBaseEnvCfg::showHelp);
    connect(cmdOK[3], &QPushButton::clicked, this, &frmBaseEnvCfg::toggleOptions);

    // The state at load: options closed, the defaults in the option fields.
    setFixedWidth(qMax(sizeHint().width(), 440));
    setOptionsOpen(false);
    cmdOK[3]->setEnabled(true);
    cboBaseCfg->addItem(QStringLiteral("无"), 1);
    cboBaseCfg->addItem(QStringLiteral("服务器端游标"), 2);
    cboBaseCfg->addItem(QStringLiteral("客户端游标"), 3);
    cboBaseCfg->setCurrentIndex(2);
    txtInput[4]->setText(QStringLiteral("900"));
    txtInput[5]->setText(QStringLiteral("10"));
}

frmBaseEnvCfg& frmBaseEnvCfg::programInstance() {
    static frmBaseEnvCfg* instance = new frmBaseEnvCfg;
    return *instance;
}

bool frmBaseEnvCfg::EditBaseCFG() {
    m_saved = false;
    Option1[0]->setChecked(true);
    chooseDatabaseKind(0);
    saveSettings();
    return m_saved;
}

DbConfig frmBaseEnvCfg::values() const {
    DbConfig config;
    config.network = Option1[1]->isChecked();
    config.server = txtInput[0]->text();
    config.databaseName = txtInput[1]->text();
    config.userName = txtInput[2]->text();
    config.password = txtInput[3]->text();
    config.cursorType = cboBaseCfg->currentData().toInt();
    config.timeOut = txtInput[4]->text();
    config.cacheSize = txtInput[5]->text();
    return config;
}

bool frmBaseEnvCfg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        loadStoredIfSaved();
    return QDialog::event(event);
}

bool frmBaseEnvCfg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            // After the focus change has settled (a mouse press would move the caret again).
            QTimer::singleShot(0, edit, [edit] {
                edit->home(false);
                edit->end(true);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmBaseEnvCfg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void frmBaseEnvCfg::chooseDatabaseKind(int index) {
    for (int i = 0; i < 4; ++i) {
        if (index == 0)
            txtInput[i]->clear();
        txtInput[i]->setReadOnly(index == 0);
    }
    if (index == 1)
        loadStoredIfSaved();
}

bool frmBaseEnvCfg::saveSettings() {
    const DbConfig config = values();
    std::optional<DbConfig::Problem> problem;
    {
        WaitCursor wait; // the server test may wait for the network
        problem = config.validate();
    }
    if (problem) {
        reportProblem(*problem);
        return false;
    }
    config.save();
    m_saved = true;
    m_hasSavedSettings = true;
    Messages::show(QStringLiteral("配置成功！请重新启动系统!"), MsgIcon::Information, MsgButtons::OK,
                   InfoTitle);
    ProgramEnd::end(0);
    accept();
    return true;
}

void frmBaseEnvCfg::reportProblem(const DbConfig::Problem& problem) {
    if (!problem.field) {
        Messages::show(problem.message, MsgIcon::Information, MsgButtons::OK, InfoTitle);
        return;
    }
    QLineEdit* edit = txtInput[static_cast<int>(*problem.field)];
    // The two numbers sit in the options part: open it so the field can take the focus.
    if (edit->parentWidget() == Frame2 && !m_optionsOpen)
        setOptionsOpen(true);
    Messages::show(problem.message, MsgIcon::Exclamation);
    edit->setFocus();
}

void frmBaseEnvCfg::cancel() {
    m_saved = false;
    reject();
}

void frmBaseEnvCfg::showHelp() {
    Messages::show(AppInfo::MakerContact, MsgIcon::None, MsgButtons::OK, windowTitle());
    reject();
}

void frmBaseEnvCfg::toggleOptions() {
    setOptionsOpen(!m_optionsOpen);
}

void frmBaseEnvCfg::setOptionsOpen(bool open) {
    m_optionsOpen = open;
    cmdOK[3]->setText(open ? QStringLiteral("选项<<") : QStringLiteral("选项>>"));
    Frame2->setVisible(open);
    txtInput[4]->setEnabled(open);
    txtInput[5]->setEnabled(open);
    cboBaseCfg->setEnabled(open);
    setFixedHeight(open ? OpenHeight : ClosedHeight);
}

void frmBaseEnvCfg::loadStoredIfSaved() {
    if (!programInstance().hasSavedSettings())
        return;
    const DbConfig stored = DbConfig::loadStored();
    txtInput[0]->setText(stored.server);
    txtInput[1]->setText(stored.databaseName);
    txtInput[2]->setText(stored.userName);
    txtInput[3]->setText(stored.password);
    if (stored.cursorType != 0)
        cboBaseCfg->setCurrentIndex(cboBaseCfg->findData(stored.cursorType));
    txtInput[4]->setText(stored.timeOut);
    txtInput[5]->setText(stored.cacheSize);
}
