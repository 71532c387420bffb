#include "pickers/frmSelectType.h"
#include "pickers/PickerServices.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmSelectType::frmSelectType(QWidget* parent)
    : SelectTreeDialog(SelectionTree::customerTypes(), parent), m_panel(new QFrame(this)) {
    setObjectName(QStringLiteral("frmSelectType"));
    setWindowTitle(QStringLiteral("选择行业类型"));
    m_panel->setObjectName(QStringLiteral("panReportList"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnAdd);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addLayout(buttons);

    setTabOrder(m_btnAdd, m_panel);
    setTabOrder(m_panel, m_tree);
    setTabOrder(m_tree, m_cmdOK);
    resize(3375 / 15, 5085 / 15);

    m_tree->viewport()->setMouseTracking(true);
    m_tree->viewport()->installEventFilter(this);
}

bool frmSelectType::eventFilter(QObject* watched, QEvent* event) {
    // Moving over the tree gives the window back its default pointer.
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseMove)
        unsetCursor();
    return SelectTreeDialog::eventFilter(watched, event);
}

void frmSelectType::btnAdd_Click() {
    if (!PickerServices::runAddDialog(QStringLiteral("frmAdd_doc_type"), QStringLiteral("添加分类类型")))
        return;
    LoadTree();
    PickerServices::rebuildNavigationTree()();
}
