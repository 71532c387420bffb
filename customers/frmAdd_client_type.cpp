#include "customers/frmAdd_client_type.h"
#include "core/BlankTrim.h"
#include "core/DbError.h"
#include "core/clsMDB.h"
#include "customers/JobTitleStore.h"
#include "customers/RecordMessages.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void openDb(clsMDB& db) {
    QString error;
    if (!db.OpenDatabase(error))
        throw DbError(error, QStringLiteral("OpenDatabase"));
}

} // namespace

frmAdd_client_type::frmAdd_client_type(QWidget* parent)
    : ActivatingDialog(parent), m_frame(new QGroupBox(QStringLiteral("头衔名称"), this)),
      m_txtName(new QLineEdit(m_frame)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)),
      m_btnSave(DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"), this)) {
    setObjectName(QStringLiteral("frmAdd_client_type"));
    setWindowTitle(QStringLiteral("添加头衔"));
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_txtName->setObjectName(QStringLiteral("txtName"));

    auto* fields = new QHBoxLayout(m_frame);
    auto* label = new QLabel(QStringLiteral("头衔名称:"), m_frame);
    label->setBuddy(m_txtName);
    fields->addWidget(label);
    fields->addWidget(m_txtName, 1);
    auto* buttons = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(m_txtName, m_btnCancel);
    setTabOrder(m_btnCancel, m_btnSave);
    resize(360, 130);

    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_client_type::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_client_type::btnCancel_Click);
}

void frmAdd_client_type::onActivate() {
    if (mode() == RecordMode::Add)
        return;
    const bool editable = mode() == RecordMode::Edit;
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        auto rs = db.GetRS(rowQuery());
        if (!rs)
            throw DbError(db.lastError(), rowQuery());
        if (!rs->Eof()) {
            m_txtName->setText(rs->Text(QStringLiteral("name")));
            setLoadedKey(rs->Text(QStringLiteral("prid")));
        }
    });
    m_txtName->setReadOnly(!editable);
    m_btnSave->setEnabled(editable);
}

void frmAdd_client_type::btnSave_Click() {
    const QString name = trimBlanks(m_txtName->text());
    if (name.isEmpty()) {
        RecordMessages::inform(QStringLiteral("请输入头衔名称!"));
        m_txtName->setFocus();
        return;
    }
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        JobTitleStore titles(db);
        const bool editing = mode() == RecordMode::Edit;
        const qint64 prid = loadedKey().toLongLong();
        if (titles.nameTaken(name, editing ? std::optional<qint64>(prid) : std::nullopt)) {
            RecordMessages::inform(QStringLiteral("头衔名称已经存在!请重新输入!"));
            m_txtName->setFocus();
            return;
        }
        if (!(editing ? titles.rename(prid, name) : titles.add(name))) {
            RecordMessages::saveFailed();
            return;
        }
        db.CloseDatabase();
        accept();
    });
}

void frmAdd_client_type::btnCancel_Click() {
    reject();
}
