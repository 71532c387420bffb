#include "admin/frmAdd_RoleUser.h"
#include "admin/RoleEditor.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

frmAdd_RoleUser::frmAdd_RoleUser(QWidget* parent) : AdminRecordDialog(parent) {
    setWindowTitle(QStringLiteral("添加角色"));
    auto* frame = new QGroupBox(QStringLiteral("角色"));
    m_txtDptName = new QLineEdit;
    m_txtDptName->setObjectName(QStringLiteral("txtDptName"));
    m_lvRole = makeList("lvRole");
    m_lvModule = makeList("lvModule");
    m_btnAdd = DialogButtons::make("btnAdd", QStringLiteral(">>"));
    m_btnRemove = DialogButtons::make("btnRemove", QStringLiteral("<<"));
    for (QPushButton* move : {m_btnAdd, m_btnRemove})
        move->setFixedSize(px(315) + 8, px(375));
    m_txtRemark = new QPlainTextEdit;
    m_txtRemark->setObjectName(QStringLiteral("txtRemark"));
    m_txtRemark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtRemark->setTabChangesFocus(true);
    m_txtRemark->setFixedHeight(px(735));

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_btnAdd);
    moves->addSpacing(px(2100 - 1320 - 375));
    moves->addWidget(m_btnRemove);
    moves->addStretch(2);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("角色名称:")), 0, 0);
    grid->addWidget(m_txtDptName, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("全部权限:")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("已赋权限:")), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("模块权限:")), 2, 0, Qt::AlignTop);
    grid->addWidget(m_lvRole, 2, 1);
    grid->addLayout(moves, 2, 2);
    grid->addWidget(m_lvModule, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("备    注:")), 3, 0, Qt::AlignTop);
    grid->addWidget(m_txtRemark, 3, 1, 1, 3);
    grid->setColumnStretch(1, 2775);
    grid->setColumnStretch(3, 2655);
    grid->setRowStretch(2, 1);

    layOutFrameAndButtons(frame, QSize(7170, 5295), m_btnSave, m_btnCancel);

    setTabOrder(m_txtDptName, m_txtRemark);
    setTabOrder(m_txtRemark, m_btnAdd);
    setTabOrder(m_btnAdd, m_btnRemove);
    setTabOrder(m_btnRemove, m_lvModule);
    setTabOrder(m_lvModule, m_lvRole);
    setTabOrder(m_lvRole, m_btnCancel);
    setTabOrder(m_btnCancel, m_btnSave);

    connect(m_btnAdd, &QPushButton::clicked, this, &frmAdd_RoleUser::btnAdd_Click);
    connect(m_btnRemove, &QPushButton::clicked, this, &frmAdd_RoleUser::btnRemove_Click);
    connect(m_lvRole, &QTreeWidget::itemDoubleClicked, this, &frmAdd_RoleUser::lvRole_DblClick);
    connect(m_lvModule, &QTreeWidget::itemDoubleClicked, this, &frmAdd_RoleUser::lvModule_DblClick);
    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_RoleUser::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_RoleUser::btnCancel_Click);
    Form_Load();
}

QTreeWidget* frmAdd_RoleUser::makeList(const char* objectName) {
    auto* list = new QTreeWidget;
    list->setObjectName(QLatin1String(objectName));
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral("名称")});
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, px(1900));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(false);
    return list;
}

QStringList frmAdd_RoleUser::pairTexts(const QTreeWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(0);
    return texts;
}

bool frmAdd_RoleUser::isGhosted(const QTreeWidgetItem& item) {
    return item.data(0, GhostedRole).toBool();
}

void frmAdd_RoleUser::appendPair(QTreeWidget& list, const QString& text, const QString& tag, bool ghosted) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setToolTip(0, text);
    item->setData(0, TagRole, tag);
    item->setData(0, GhostedRole, ghosted);
    if (ghosted)
        item->setForeground(0, list.palette().brush(QPalette::Disabled, QPalette::Text));
    list.addTopLevelItem(item);
    // The column is at least as wide as the form has it and wide enough for every pair.
    const int margins = 2 * list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 8;
    const int needed = list.fontMetrics().horizontalAdvance(text) + margins;
    if (needed > list.columnWidth(0))
        list.setColumnWidth(0, needed);
}

void frmAdd_RoleUser::Form_Load() {
    guardSlot([&] {
        m_lvRole->clear();
        m_lvModule->clear();
        const auto pairs = RoleEditor::allPairs();
        if (!pairs)
            return; // nothing to grant: a save asks for grants
        for (const GrantPair& pair : *pairs)
            appendPair(*m_lvRole, pair.text, pair.tag, true);
    });
}

bool frmAdd_RoleUser::moveHeld(const QString& text) {
    for (int i = 0; i < m_lvRole->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_lvRole->topLevelItem(i);
        if (item->text(0) != text)
            continue;
        appendPair(*m_lvModule, text, item->data(0, TagRole).toString(), false);
        delete m_lvRole->takeTopLevelItem(i);
        return true;
    }
    return false;
}

void frmAdd_RoleUser::onActivate() {
    guardSlot([&] {
        if (m_activated)
            return;
        m_activated = true;
        if (mode() == RecordMode::Add)
            return;
        const bool browse = mode() == RecordMode::Browse;
        m_txtDptName->setReadOnly(browse);
        m_txtRemark->setReadOnly(browse);
        if (const auto role = RoleEditor::load(rowQuery())) {
            m_txtDptName->setText(role->name);
            m_txtRemark->setPlainText(role->remark);
            setLoadedKey(browse ? QString() : role->pmrid);
            // A grant whose module or permission was renamed elsewhere matches no pair: it is left out.
            for (const QString& grant : role->grants)
                moveHeld(grant);
        }
        m_lvModule->clearSelection();
        if (browse) {
            for (QWidget* control :
                 std::initializer_list<QWidget*>{m_lvRole, m_lvModule, m_btnAdd, m_btnRemove, m_btnSave})
                control->setEnabled(false);
            m_btnCancel->setFocus();
        }
    });
}

void frmAdd_RoleUser::moveSelected(QTreeWidget& from, QTreeWidget& to) {
    for (int i = 0; i < from.topLevelItemCount();) {
        QTreeWidgetItem* item = from.topLevelItem(i);
        if (!item->isSelected()) {
            ++i;
            continue;
        }
        appendPair(to, item->text(0), item->data(0, TagRole).toString(), false);
        delete from.takeTopLevelItem(i);
    }
}

void frmAdd_RoleUser::btnAdd_Click() {
    moveSelected(*m_lvRole, *m_lvModule);
}

void frmAdd_RoleUser::btnRemove_Click() {
    moveSelected(*m_lvModule, *m_lvRole);
}

void frmAdd_RoleUser::lvRole_DblClick() {
    btnAdd_Click();
}

void frmAdd_RoleUser::lvModule_DblClick() {
    btnRemove_Click();
}

void frmAdd_RoleUser::btnSave_Click() {
    guardSlot([&] {
        QStringList held;
        for (int i = 0; i < m_lvModule->topLevelItemCount(); ++i)
            held << m_lvModule->topLevelItem(i)->data(0, TagRole).toString();
        const SaveResult result =
            RoleEditor::save(mode(), m_txtDptName->text(), m_txtRemark->toPlainText(), held, loadedKey());
        if (result.isRefused()) {
            inform(result.text);
            if (result.focus == QLatin1String("txtDptName"))
                m_txtDptName->setFocus();
            return;
        }
        if (result.isFailure()) {
            reportSaveFailure(result.text);
            return;
        }
        accept();
    });
}

void frmAdd_RoleUser::btnCancel_Click() {
    reject();
}
