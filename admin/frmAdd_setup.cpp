#include "admin/frmAdd_setup.h"
#include "admin/ReminderSetup.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "ui/DialogButtons.h"
#include "ui/LineEditLimit.h"
#include "ui/SlotGuard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAdd_setup::frmAdd_setup(QWidget* parent)
    : ActivatingDialog(parent), m_txtDays(new QLineEdit(this)),
      m_btnSave(new QPushButton(QStringLiteral("保存(&S)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmAdd_setup"));
    setWindowTitle(QStringLiteral("管理提醒设置"));
    auto* frame = new QGroupBox(QStringLiteral("管理提醒设置"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_txtDays->setParent(frame);
    m_txtDays->setObjectName(QStringLiteral("txtDays"));
    limitLineEdit(m_txtDays, 128);
    m_btnSave->setObjectName(QStringLiteral("btnSave"));
    m_btnSave->setDefault(true);

    auto* row = new QHBoxLayout(frame);
    row->addWidget(new QLabel(QStringLiteral("提醒天数"), frame));
    row->addWidget(m_txtDays, 1);
    auto* buttons = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(4800 / 15, 2100 / 15);

    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_setup::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_setup::btnCancel_Click);
}

void frmAdd_setup::onActivate() {
    // Failures leave the box as it was.
    clsMDB db;
    QString error;
    if (!db.OpenDatabase(error))
        return;
    if (const std::optional<QString> days = ReminderSetup::read(db))
        m_txtDays->setText(*days);
}

void frmAdd_setup::btnSave_Click() {
    const QString title = QStringLiteral("提示信息");
    switch (ReminderSetup::check(m_txtDays->text())) {
    case ReminderSetup::Check::Empty:
        Messages::show(QStringLiteral("请输入行业到期提醒天数!"), MsgIcon::Question, MsgButtons::OK, title);
        return;
    case ReminderSetup::Check::NotNumber:
        Messages::show(QStringLiteral("请输入数字类型!"), MsgIcon::Question, MsgButtons::OK, title);
        return;
    case ReminderSetup::Check::Ok:
        break;
    }
    bool written = false;
    if (!guardSlot(
            [&] {
                clsMDB db;
                QString error;
                db.OpenDatabase(error);
                written = ReminderSetup::write(db, m_txtDays->text());
            },
            QStringLiteral("设置失败!")))
        return;
    if (!written) {
        Messages::show(QStringLiteral("设置失败!"), MsgIcon::Critical, MsgButtons::OK, title);
        return;
    }
    Messages::show(QStringLiteral("设置成功!"), MsgIcon::Information, MsgButtons::OK, title);
    accept();
}

void frmAdd_setup::btnCancel_Click() {
    reject();
}
