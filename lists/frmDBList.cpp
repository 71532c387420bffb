#include "lists/frmDBList.h"
#include "shell/WaitCursor.h"
#include "shell/clsMDB.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QPushButton* toolButton(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    return button;
}
} // namespace

frmDBList::frmDBList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDBList"));
    setWindowTitle(QStringLiteral("数据浏览"));
    m_params.caption = windowTitle();
    m_params.lbFormName = QStringLiteral("数据显示窗口");

    SSSplitter1 = new QSplitter(Qt::Vertical, this);
    SSSplitter1->setObjectName(QStringLiteral("SSSplitter1"));
    SSSplitter1->setChildrenCollapsible(false);

    panHeader = new QWidget(SSSplitter1);
    panHeader->setObjectName(QStringLiteral("pan报表头"));
    panHeader->setFixedHeight(540 / 15);

    lbFormName = new QLabel(m_params.lbFormName, panHeader);
    lbFormName->setObjectName(QStringLiteral("lbFormName"));
    lbFormName->setFont(QFont(QStringLiteral("宋体"), 12));
    QPalette titlePalette = lbFormName->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    lbFormName->setPalette(titlePalette);

    Label1 = new QLabel(QStringLiteral("查询方式"), panHeader);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbSearch = new QComboBox(panHeader);
    cmbSearch->setObjectName(QStringLiteral("cmbSearch"));
    cmbSearch->setEditable(false);
    cmbSearch->setMinimumContentsLength(8);
    Label2 = new QLabel(QStringLiteral("="), panHeader);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(QFont(QStringLiteral("宋体"), 12));
    txtSearchValue = new QLineEdit(panHeader);
    txtSearchValue->setObjectName(QStringLiteral("txtSearchValue"));
    txtSearchValue->setMinimumWidth(140);

    btnSearch = toolButton(panHeader, "btnSearch", QStringLiteral("  查询(&Q)"), QStringLiteral("查询"));
    btnAdd = toolButton(panHeader, "btnAdd", QStringLiteral("   添加(&A)"), QStringLiteral("添加"));
    btnDel = toolButton(panHeader, "btnDel", QStringLiteral("   删除(&D)"), QStringLiteral("删除"));
    btnEdit = toolButton(panHeader, "btnEdit", QStringLiteral("   修改(&M)"), QStringLiteral("修改"));
    btnList = toolButton(panHeader, "btnList", QStringLiteral("   浏览(&L)"), QStringLiteral("修改"));

    auto* top = new QHBoxLayout(panHeader);
    top->setContentsMargins(6, 2, 6, 2);
    top->addWidget(lbFormName);
    top->addSpacing(24);
    top->addWidget(Label1);
    top->addWidget(cmbSearch);
    top->addWidget(Label2);
    top->addWidget(txtSearchValue);
    for (QPushButton* button : {btnSearch, btnAdd, btnDel, btnEdit, btnList})
        top->addWidget(button);
    top->addStretch(1);

    dbView = new DataGrid(SSSplitter1);
    dbView->setObjectName(QStringLiteral("dbView"));
    SSSplitter1->setStretchFactor(0, 0);
    SSSplitter1->setStretchFactor(1, 1);

    sBar = new QStatusBar(this);
    sBar->setObjectName(QStringLiteral("sBar"));
    sBar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(SSSplitter1);
    layout->addWidget(sBar);
    resize(10755 / 15, 7425 / 15);
}

frmDBList::~frmDBList() = default;

void frmDBList::setListParams(const ListWindowParams& params) {
    m_params = params;
    setWindowTitle(params.caption);
    lbFormName->setText(params.lbFormName);
}

clsMDB& frmDBList::db() {
    if (!m_db)
        m_db = std::make_unique<clsMDB>();
    return *m_db;
}

void frmDBList::loadList() {
    WaitCursor hourglass;
    m_loader.readParams(m_params);
    cmbSearch->clear();
    cmbSearch->addItems(m_loader.searchLabels());
    if (cmbSearch->count() > 0)
        cmbSearch->setCurrentIndex(0);
    m_loader.load(db(), m_params, dbView->grid());
}

void frmDBList::scheduleLoad() {
    if (m_loadPending)
        return;
    m_loadPending = true;
    QTimer::singleShot(0, this, [this] {
        m_loadPending = false;
        loadList();
    });
}

bool frmDBList::event(QEvent* event) {
    // A child window reloads when it becomes the active child (the sub-window's signal), not each time
    // the main window regains the focus.
    if (event->type() == QEvent::WindowActivate && isWindow()) {
        scheduleLoad();
    } else if (event->type() == QEvent::ParentChange) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &frmDBList::scheduleLoad,
                    Qt::UniqueConnection);
    }
    return QWidget::event(event);
}

void frmDBList::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleLoad();
}
