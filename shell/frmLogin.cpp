#include "shell/frmLogin.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ProgramEnd.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// 6180 x 3840 twips at 15 twips to the pixel.
constexpr int DialogWidth = 412;
constexpr int DialogHeight = 256;
const QColor DarkBlue(0, 0, 128);

QFont captionFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("华文细黑"), QStringLiteral("STXihei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The banner behind the product name.
QPixmap bannerPicture(int width, int height) {
    QPixmap picture(width, height);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(16, 52, 120));
    sky.setColorAt(1, QColor(70, 140, 210));
    p.fillRect(picture.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        wave.moveTo(0, height * (0.55 + 0.15 * i));
        wave.cubicTo(width * 0.3, height * (0.2 + 0.15 * i), width * 0.6, height * (1.0 + 0.1 * i), width,
                     height * (0.45 + 0.15 * i));
        wave.lineTo(width, height);
        wave.lineTo(0, height);
        wave.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 28 + 12 * i));
        p.drawPath(wave);
    }
    return picture;
}

// The emblem beside the entries: a person with a key.
QPixmap emblemPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 228, 246));
    p.drawEllipse(QRectF(2, 2, size - 4, size - 4));
    p.setBrush(QColor(40, 90, 170));
    p.drawEllipse(QRectF(size * 0.36, size * 0.18, size * 0.28, size * 0.28));
    p.drawChord(QRectF(size * 0.22, size * 0.5, size * 0.56, size * 0.5), 0, 180 * 16);
    p.setBrush(QColor(230, 170, 40));
    p.drawEllipse(QRectF(size * 0.62, size * 0.56, size * 0.18, size * 0.18));
    p.drawRect(QRectF(size * 0.69, size * 0.72, size * 0.05, size * 0.18));
    return picture;
}

// The strip along the bottom edge.
QPixmap stripPicture(int width, int height) {
    QPixmap picture(width, height);
    QPainter p(&picture);
    QLinearGradient fade(0, 0, width, 0);
    fade.setColorAt(0, QColor(70, 140, 210));
    fade.setColorAt(1, QColor(255, 255, 255));
    p.fillRect(picture.rect(), fade);
    return picture;
}

QLineEdit* entryBox(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(name));
    box->setFrame(false);
    // No border of its own: a line is drawn under it.
    box->setStyleSheet(
        QStringLiteral("QLineEdit { border: none; border-bottom: 1px solid #7f9db9; "
                       "background: white; color: #000080; lineedit-password-character: 42; }"));
    return box;
}

} // namespace

frmLogin::frmLogin(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmLogin"));
    setFixedSize(DialogWidth, DialogHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* banner = new QLabel;
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(bannerPicture(DialogWidth - 2, 78));
    banner->setFixedHeight(78);
    m_lblCompanyProduct = new QLabel(QStringLiteral("客户关系管理(CRM)"));
    m_lblCompanyProduct->setObjectName(QStringLiteral("lblCompanyProduct"));
    m_lblCompanyProduct->setFont(captionFont(15.75, true));
    m_lblCompanyProduct->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_lblVersion = new QLabel(QStringLiteral("Ver 5.0"));
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setFont(captionFont(10.5, false));
    m_lblVersion->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    auto* bannerLayout = new QHBoxLayout(banner);
    bannerLayout->setContentsMargins(20, 0, 16, 10);
    bannerLayout->addWidget(m_lblCompanyProduct, 0, Qt::AlignVCenter);
    bannerLayout->addStretch();
    bannerLayout->addWidget(m_lblVersion, 0, Qt::AlignBottom);

    auto* emblem = new QLabel;
    emblem->setObjectName(QStringLiteral("Image2"));
    emblem->setPixmap(emblemPicture(72));

    auto* label1 = new QLabel(QStringLiteral("帐号"));
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = new QLabel(QStringLiteral("密码"));
    label2->setObjectName(QStringLiteral("Label2"));
    m_txtUserName = entryBox("txtUserName");
    m_txtPassWord = entryBox("txtPassWord");
    m_txtPassWord->setEchoMode(QLineEdit::Password);
    m_txtPassWord->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_txtPassWord->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhNoPredictiveText | Qt::ImhLatinOnly);

    m_cmdOK[0] = new QPushButton(QStringLiteral("  确定(&O)"));
    m_cmdOK[1] = new QPushButton(QStringLiteral("取消(&C)"));
    for (int i = 0; i < 2; ++i) {
        m_cmdOK[i]->setObjectName(QStringLiteral("cmdOK_%1").arg(i));
        connect(m_cmdOK[i], &QPushButton::clicked, this, [this, i] { cmdOK_Click(i); });
        m_cmdOK[i]->installEventFilter(this);
    }
    m_txtUserName->installEventFilter(this);
    m_txtPassWord->installEventFilter(this);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(14);
    fields->addWidget(label1, 0, 0);
    fields->addWidget(m_txtUserName, 0, 1);
    fields->addWidget(label2, 1, 0);
    fields->addWidget(m_txtPassWord, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK[0]);
    buttons->addWidget(m_cmdOK[1]);
    fields->addLayout(buttons, 2, 0, 1, 2);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(24, 14, 28, 10);
    middle->setSpacing(22);
    middle->addWidget(emblem, 0, Qt::AlignTop);
    middle->addLayout(fields, 1);

    auto* strip = new QLabel;
    strip->setObjectName(QStringLiteral("Image3"));
    strip->setPixmap(stripPicture(DialogWidth - 2, 6));
    strip->setFixedHeight(6);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(middle);
    layout->addStretch(1); // the strip stays on the bottom edge
    layout->addWidget(strip);

    setTabOrder(m_txtUserName, m_txtPassWord);
    setTabOrder(m_txtPassWord, m_cmdOK[0]);
    setTabOrder(m_cmdOK[0], m_cmdOK[1]);

    // Load: both entries start empty.
    m_txtPassWord->clear();
    m_txtUserName->clear();
}

void frmLogin::cmdOK_Click(int index) {
    if (index == 0) {
        if (!CheckInput())
            return;
        m_userId = m_txtUserName->text().trimmed();
        m_password = m_txtPassWord->text().trimmed();
        gLoginName = m_userId;
        m_flag = 1;
        accept();
    } else {
        reject();
    }
}

void frmLogin::reject() {
    m_flag = 0;
    QDialog::reject();
    ProgramEnd::end(0);
}

bool frmLogin::CheckInput() {
    if (!m_txtUserName->text().trimmed().isEmpty())
        return true;
    Messages::show(QStringLiteral("请输入账号和密码！"), MsgIcon::Information, MsgButtons::OK,
                   QStringLiteral("提示信息"));
    m_txtUserName->setFocus();
    return false;
}

bool frmLogin::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (enter && watched == m_txtUserName) {
        focusNextChild();
        return true;
    }
    if (enter && watched == m_txtPassWord) {
        cmdOK_Click(0);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmLogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Activate: the focus goes to the user id.
    m_txtUserName->setFocus();
}

void frmLogin::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The fixed single border.
    QPainter p(this);
    p.setPen(QColor(96, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
