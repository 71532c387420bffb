#include "shell/frmBBS.h"
#include "core/AppInfo.h"
#include "shell/MakerLinks.h"
#include "shell/frmAbout.h"

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

namespace {

QLabel* plainLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

frmBBS::frmBBS(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBBS"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("意见反馈"));

    Picture1 = plainLabel(QString(), "Picture1", this);
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    Picture1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Label1 = plainLabel(QStringLiteral("客户关系管理系统(CRM)意见反馈"), "Label1", this);
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    lblVer1 = plainLabel(QStringLiteral("版本"), "lblVer1", this);
    lblVer = plainLabel(QStringLiteral("5.0"), "lblVer", this);
    Label2 = plainLabel(QStringLiteral("为了能更好的为您服务，请在这里"), "Label2", this);
    Label6 = MakerLinks::linkLabel(QStringLiteral("反馈留言"), "Label6", this);
    Label11 = plainLabel(QStringLiteral("."), "Label11", this);
    Label5 = plainLabel(QStringLiteral("或发送邮件"), "Label5", this);
    Label10 = MakerLinks::linkLabel(AppInfo::MakerEmail, "Label10", this);
    Label3 = plainLabel(QStringLiteral("."), "Label3", this);
    Label9 = MakerLinks::linkLabel(QStringLiteral("   反馈留言"), "Label9", this);
    Label7 = MakerLinks::linkLabel(AppInfo::MakerWebPage, "Label7", this);
    Label8 = MakerLinks::linkLabel(AppInfo::MakerEmail, "Label8", this);
    Label4 = plainLabel(AppInfo::MakerContact, "Label4", this);
    lblUser = plainLabel(QString(), "lblUser", this);
    lblUnit = plainLabel(QString(), "lblUnit", this);
    LblActiveServer = plainLabel(QString(), "LblActiveServer", this);
    LblActiveDatabase = plainLabel(QString(), "LblActiveDatabase", this);
    cmdOK = new QPushButton(QStringLiteral("  确定(&O)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* version = new QHBoxLayout;
    version->addWidget(lblVer1);
    version->addWidget(lblVer);
    version->addStretch(1);

    // "为了能更好的为您服务，请在这里" 反馈留言 "." / "或发送邮件" mail "."
    auto* ask = new QHBoxLayout;
    ask->setSpacing(0);
    ask->addWidget(Label2);
    ask->addWidget(Label6);
    ask->addWidget(Label11);
    ask->addStretch(1);
    auto* mail = new QHBoxLayout;
    mail->setSpacing(0);
    mail->addWidget(Label5);
    mail->addWidget(Label10);
    mail->addWidget(Label3);
    mail->addStretch(1);

    auto* empty = new QHBoxLayout;
    empty->addWidget(lblUser);
    empty->addWidget(lblUnit);
    empty->addWidget(LblActiveServer);
    empty->addWidget(LblActiveDatabase);

    auto* text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addLayout(version);
    text->addSpacing(8);
    text->addLayout(ask);
    text->addLayout(mail);
    text->addLayout(empty);
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
    buttons->addWidget(Label4, 1);
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(links);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* link : {Label6, Label7, Label8, Label9, Label10})
        link->installEventFilter(this);

    setFixedSize(sizeHint().expandedTo(frmAbout::WindowSize));
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmBBS::Label6_Click() {
    MakerLinks::openGuestBook();
}
void frmBBS::Label7_Click() {
    MakerLinks::openWebPage();
}
void frmBBS::Label8_Click() {
    MakerLinks::openMail();
}
void frmBBS::Label9_Click() {
    MakerLinks::openGuestBook();
}
void frmBBS::Label10_Click() {
    MakerLinks::openMail();
}

bool frmBBS::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label6)
            Label6_Click();
        else if (watched == Label7)
            Label7_Click();
        else if (watched == Label8)
            Label8_Click();
        else if (watched == Label9)
            Label9_Click();
        else if (watched == Label10)
            Label10_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void frmBBS::keyPressEvent(QKeyEvent* event) {
    // The window has no cancel button: Escape leaves it open.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    QDialog::keyPressEvent(event);
}
