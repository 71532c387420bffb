#include "admin/frmAdd_search.h"
#include "core/Messages.h"
#include "ui/DialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAdd_search::frmAdd_search(QWidget* parent)
    : ActivatingDialog(parent), m_btnSave(new QPushButton(QStringLiteral("查询(&Q)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmAdd_search"));
    setWindowTitle(QStringLiteral("组合查询"));
    auto* frame = new QGroupBox(QStringLiteral("组合查询"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QGridLayout(frame);
    const QStringList labels = CombinedSearch::labels();
    QFont equalsFont = font();
    equalsFont.setPointSize(12);
    for (int row = 0; row < 4; ++row) {
        const QString number = QString::number(row + 1);
        auto* combo = new QComboBox(frame);
        combo->setObjectName(QStringLiteral("cmbSearch") + number);
        combo->setEditable(false);
        combo->addItems(labels);
        combo->setCurrentIndex(0);
        auto* equals = new QLabel(QStringLiteral("="), frame);
        equals->setFont(equalsFont);
        auto* value = new QLineEdit(frame);
        value->setObjectName(QStringLiteral("txtSearchValue") + number);
        rows->addWidget(new QLabel(QStringLiteral("查询方式") + number, frame), row, 0);
        rows->addWidget(combo, row, 1);
        rows->addWidget(equals, row, 2);
        rows->addWidget(value, row, 3);
        m_cmbSearch[row] = combo;
        m_txtSearchValue[row] = value;
    }
    rows->setColumnStretch(3, 1);

    m_btnSave->setObjectName(QStringLiteral("btnSave"));
    m_btnSave->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_btnSave);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    setFixedSize(7800 / 15, 2900 / 15);

    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_search::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_search::btnCancel_Click);
}

void frmAdd_search::btnSave_Click() {
    std::vector<CombinedSearch::Row> rows;
    for (int row = 0; row < 4; ++row)
        rows.push_back({m_cmbSearch[row]->currentIndex(), m_txtSearchValue[row]->text()});
    std::optional<CombinedSearch::Condition> condition = CombinedSearch::build(rows);
    if (!condition) {
        Messages::show(QStringLiteral("请输入选择查询方式并选择查询内容！"), MsgIcon::Information,
                       MsgButtons::OK, QStringLiteral("提示信息"));
        return;
    }
    m_result = std::move(condition);
    accept();
}

void frmAdd_search::btnCancel_Click() {
    reject();
}

void frmAdd_search::reject() {
    m_result.reset();
    ActivatingDialog::reject();
}
