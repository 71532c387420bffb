#include "reports/ConditionDialog.h"
#include "ui/ModalRunner.h"

#include <QHBoxLayout>
#include <QPushButton>

ConditionDialog::ConditionDialog(QWidget* parent)
    : QDialog(parent), m_query(new QPushButton(QStringLiteral("   查询(&Q)"), this)),
      m_cancel(new QPushButton(QStringLiteral("取消(&C)"), this)) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    m_query->setObjectName(QStringLiteral("cmdOK_0"));
    m_cancel->setObjectName(QStringLiteral("cmdOK_1"));
    m_query->setDefault(true);
    m_query->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_query);
    buttons->addWidget(m_cancel);
    m_buttons = buttons;
    connect(m_query, &QPushButton::clicked, this, [this] { cmdOK_Click(0); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cmdOK_Click(1); });
}

void ConditionDialog::Show() {
    if (!m_loaded) {
        // A load that fails (its error reaches the caller) is tried again at the next showing.
        Form_Load();
        m_loaded = true;
    }
    ModalRunner::run(*this);
}

void ConditionDialog::Unload() {
    hide();
    if (!m_loaded)
        return;
    m_loaded = false;
    clearFields();
}

void ConditionDialog::cmdOK_Click(int index) {
    if (index == 0) {
        if (!CheckData())
            return;
        m_plngRet = 0;
        m_execCond = BuildExecCond();
        m_showCond = BuildShowCond();
        Hide();
    } else if (index == 1) {
        m_plngRet = 1;
        Hide();
    }
}

void ConditionDialog::reject() {
    cmdOK_Click(1);
}
