#include "admin/NamedItemDialog.h"
#include "core/Messages.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NamedItemDialog::NamedItemDialog(const NamedItemKind& kind, QWidget* parent)
    : AdminRecordDialog(parent), m_editor(kind) {
    setWindowTitle(kind.designCaption);
    m_frame = new QGroupBox(kind.frameCaption);
    m_label = new QLabel(kind.label);
    m_txtDptName = new QLineEdit;
    m_txtDptName->setObjectName(QStringLiteral("txtDptName"));
    m_txtDptName->setMinimumWidth(260);
    m_label->setBuddy(m_txtDptName);
    auto* fields = new QHBoxLayout(m_frame);
    fields->addWidget(m_label);
    fields->addWidget(m_txtDptName, 1);

    m_btnSave = DialogButtons::make("btnSave", QStringLiteral("   保存(&S)"));
    m_btnCancel = DialogButtons::make("btnCancel", QStringLiteral("取消(&C)"));
    DialogButtons::layOutBelowFrame(this, m_frame, {m_btnSave, m_btnCancel});

    connect(m_btnSave, &QPushButton::clicked, this, &NamedItemDialog::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &NamedItemDialog::btnCancel_Click);
}

void NamedItemDialog::onActivate() {
    guardSlot([&] {
        const bool browse = mode() == RecordMode::Browse;
        m_txtDptName->setReadOnly(browse);
        m_btnSave->setEnabled(!browse);
        if (mode() == RecordMode::Add)
            return;
        // A row query that fails or finds nothing leaves the field empty and keeps no key.
        const auto row = m_editor.load(rowQuery());
        m_txtDptName->setText(row ? row->name : QString());
        setLoadedKey(row && !browse ? row->key : QString());
    });
}

void NamedItemDialog::btnSave_Click() {
    guardSlot([&] {
        const SaveResult result = m_editor.save(mode(), m_txtDptName->text(), loadedKey());
        if (result.isRefused()) {
            inform(result.text);
            return;
        }
        if (result.isFailure()) {
            Messages::show(QStringLiteral("添加失败！"), MsgIcon::Critical, MsgButtons::OK,
                           QStringLiteral("提示信息"));
            return;
        }
        accept();
    });
}

void NamedItemDialog::btnCancel_Click() {
    reject();
}
