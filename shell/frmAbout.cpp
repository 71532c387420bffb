#include "shell/frmAbout.h"
#include "core/AppInfo.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"
#include "shell/MakerLinks.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    Picture1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    Label1 = new QLabel(QStringLiteral("客户关系管理系统(CRM)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    Label1->setFont(titleFont);

    lblVer1 = new QLabel(QStringLiteral("版本"), this);
    lblVer = new QLabel(QStringLiteral("5.0"), this);
    Label6_2 = new QLabel(QStringLiteral("活动服务器："), this);
    LblActiveServer = new QLabel(this);
    Label6_3 = new QLabel(QStringLiteral("活动数据库："), this);
    LblActiveDatabase = new QLabel(this);
    lblUser = new QLabel(this);
    lblUnit = new QLabel(this);
    Label7 = MakerLinks::linkLabel(AppInfo::MakerWebPage, "Label7", this);
    Label8 = MakerLinks::linkLabel(AppInfo::MakerEmail, "Label8", this);
    Label9 = MakerLinks::linkLabel(QStringLiteral("   网站留言"), "Label9", this);
    cmdOK = new QPushButton(QStringLiteral("  确定(&O)"), this);
    cmdOK->setDefault(true);
    lblVer->setObjectName(QStringLiteral("lblVer"));
    LblActiveServer->setObjectName(QStringLiteral("LblActiveServer"));
    LblActiveDatabase->setObjectName(QStringLiteral("LblActiveDatabase"));
    lblUser->setObjectName(QStringLiteral("lblUser"));
    lblUnit->setObjectName(QStringLiteral("lblUnit"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));

    auto* facts = new QGridLayout;
    facts->addWidget(lblVer1, 0, 0);
    facts->addWidget(lblVer, 0, 1);
    facts->addWidget(Label6_2, 1, 0);
    facts->addWidget(LblActiveServer, 1, 1);
    facts->addWidget(Label6_3, 2, 0);
    facts->addWidget(LblActiveDatabase, 2, 1);
    facts->addWidget(lblUser, 3, 0, 1, 2);
    facts->addWidget(lblUnit, 4, 0, 1, 2);
    facts->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addSpacing(8);
    text->addLayout(facts);
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(Picture1);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* links = new QHBoxLayout;
    links->addWidget(Label7);
    links->addSpacing(12);
    links->addWidget(Label8);
    links->addWidget(Label9);
    links->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(links);
    layout->addLayout(buttons);

    Form_Load();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // The window sees the keys before its controls, and the link labels answer to clicks.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    setFixedSize(sizeHint().expandedTo(WindowSize));
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmAbout::Form_Load() {
    setWindowTitle(AppInfo::ProgramTitle);
    if (gApp) {
        lblUser->setText(gApp->OperatorName());
        lblUnit->setText(gApp->DepartmentName());
    }
    lblVer->setText(QStringLiteral("5.0"));
    if (gMDB) {
        LblActiveServer->setText(gMDB->ServerName());
        LblActiveDatabase->setText(gMDB->DatabaseName());
    }
}

void frmAbout::showEvent(QShowEvent* event) {
    Form_Load();
    QDialog::showEvent(event);
}

bool frmAbout::isHiddenKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers needed = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    return key == Qt::Key_D && (modifiers & (needed | Qt::MetaModifier)) == needed;
}

void frmAbout::Label7_Click() {
    MakerLinks::openWebPage();
}

void frmAbout::Label8_Click() {
    MakerLinks::openMail();
}

void frmAbout::Label9_Click() {
    MakerLinks::openGuestBook();
}

bool frmAbout::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (!isHiddenKey(key, modifiers))
        return false;
    Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QStringLiteral("0"));
    Messages::show(QStringLiteral("已经成功的删除了数据库配置信息！"), MsgIcon::Information, MsgButtons::OK,
                   QStringLiteral("被隐藏的功能"));
    return true;
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key->key(), key->modifiers()))
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label7)
            Label7_Click();
        else if (watched == Label8)
            Label8_Click();
        else if (watched == Label9)
            Label9_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (Form_KeyDown(event->key(), event->modifiers()))
        return;
    // The window has no cancel button: Escape leaves it open.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    QDialog::keyPressEvent(event);
}
