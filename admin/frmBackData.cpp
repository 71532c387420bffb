#include "admin/frmBackData.h"
#include "admin/DatabaseBackup.h"
#include "admin/frmFilePathShow.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/WaitCursor.h"
#include "core/clsMDB.h"
#include "ui/DialogButtons.h"
#include "ui/ModalRunner.h"
#include "ui/SlotGuard.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmBackData::frmBackData(QWidget* parent)
    : ActivatingDialog(parent), m_progressBar1(new QProgressBar(this)),
      m_frame(new QGroupBox(QStringLiteral("备份路径"), this)), m_txtPath(new QLineEdit(m_frame)),
      m_btnFilePath(DialogButtons::make(QStringLiteral("btnFilePath"), QStringLiteral("..."), m_frame)),
      m_btnSave(new QPushButton(QStringLiteral("   保存(&S)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmBackData"));
    setWindowTitle(QStringLiteral("备份数据"));
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setValue(0);
    m_progressBar1->setTextVisible(false);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_txtPath->setObjectName(QStringLiteral("txtPath"));
    m_txtPath->setReadOnly(true);
    m_btnFilePath->setToolTip(QStringLiteral("选择文件夹"));
    m_btnSave->setObjectName(QStringLiteral("btnSave"));
    m_btnSave->setDefault(true);

    auto* pathRow = new QHBoxLayout(m_frame);
    pathRow->addWidget(new QLabel(QStringLiteral("备份路径:"), m_frame));
    pathRow->addWidget(m_txtPath, 1);
    pathRow->addWidget(m_btnFilePath);
    auto* buttons = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progressBar1);
    layout->addWidget(m_frame);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(6600 / 15, 2700 / 15);

    connect(m_btnFilePath, &QPushButton::clicked, this, &frmBackData::btnFilePath_Click);
    connect(m_btnSave, &QPushButton::clicked, this, &frmBackData::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmBackData::btnCancel_Click);
}

void frmBackData::btnFilePath_Click() {
    frmFilePathShow folders(this);
    // The folder chosen before is where the dialog opens again.
    if (!m_txtPath->text().isEmpty())
        folders.setPath(QFileInfo(m_txtPath->text()).absolutePath());
    ModalRunner::run(folders);
    m_txtPath->setText(folders.tag());
}

void frmBackData::btnSave_Click() {
    const QString target = m_txtPath->text();
    if (target.isEmpty()) {
        Messages::show(QStringLiteral("请选择备份数据的路径!"), MsgIcon::Question, MsgButtons::OK,
                       QStringLiteral("提示信息"));
        return;
    }
    bool copied = false;
    guardSlot(
        [&] {
            clsMDB db;
            QString error;
            if (!db.OpenDatabase(error))
                throw DbError(error.isEmpty() ? QStringLiteral("数据库没有打开") : error,
                              QStringLiteral("SQLite"));
            if (DatabaseBackup::sameFile(DatabaseBackup::sourceFile(db.Connection()), target)) {
                Messages::show(QStringLiteral("不能备份到数据库所在的文件，请选择其他文件夹!"),
                               MsgIcon::Information, MsgButtons::OK, QStringLiteral("提示信息"));
                return;
            }
            WaitCursor hourglass;
            m_progressBar1->setMaximum(100);
            DatabaseBackup::copy(db.Connection(), target, [this](int percent) {
                m_progressBar1->setValue(percent);
                m_progressBar1->repaint();
            });
            copied = true;
        },
        QStringLiteral("数据备份失败！"));
    if (!copied)
        return;
    Messages::show(QStringLiteral("数据成功备份到") + target, MsgIcon::Information, MsgButtons::OK,
                   QStringLiteral("提示信息"));
    accept();
}

void frmBackData::btnCancel_Click() {
    reject();
}
