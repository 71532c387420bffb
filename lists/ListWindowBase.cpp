#include "lists/ListWindowBase.h"
#include "core/DbError.h"
#include "core/HasModuleRole.h"
#include "core/Messages.h"
#include "core/WaitCursor.h"
#include "core/clsMDB.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"
#include "ui/MdiChildWatcher.h"
#include "ui/ReadProgress.h"
#include "ui/SlotGuard.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

ListWindowBase::ListWindowBase(const QString& formName, int headerTwips, ListWidthRule widthRule,
                               QWidget* parent)
    : QWidget(parent), m_loader(widthRule) {
    setObjectName(formName);
    setWindowTitle(QStringLiteral("数据浏览"));
    m_params.caption = windowTitle();
    m_params.lbFormName = QStringLiteral("数据显示窗口");

    SSSplitter1 = new QSplitter(Qt::Vertical, this);
    SSSplitter1->setObjectName(QStringLiteral("SSSplitter1"));
    SSSplitter1->setChildrenCollapsible(false);

    panHeader = new QWidget(SSSplitter1);
    panHeader->setObjectName(QStringLiteral("pan报表头"));
    panHeader->setFixedHeight(headerTwips / 15);

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

    auto* top = new QHBoxLayout(panHeader);
    top->setContentsMargins(6, 2, 6, 2);
    top->addWidget(lbFormName);
    top->addSpacing(24);
    top->addWidget(Label1);
    top->addWidget(cmbSearch);
    top->addWidget(Label2);
    top->addWidget(txtSearchValue);
    top->addStretch(1);
    btnSearch = addHeaderButton("btnSearch", QString(), QStringLiteral("查询"));

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
    connect(btnSearch, &QPushButton::clicked, this, [this] { guardSlot([this] { searchList(); }); });
    connect(txtSearchValue, &QLineEdit::returnPressed, this, [this] { guardSlot([this] { searchList(); }); });

    resize(10755 / 15, 7425 / 15); // the size when restored
    // List windows open maximized in the main window; set after the size, which would clear it.
    setWindowState(Qt::WindowMaximized);
}

ListWindowBase::~ListWindowBase() = default;

QPushButton* ListWindowBase::addHeaderButton(const char* name, const QString& text, const QString& toolTip) {
    auto* button = new QPushButton(text, panHeader);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    auto* top = static_cast<QHBoxLayout*>(panHeader->layout());
    top->insertWidget(top->count() - 1, button); // before the closing stretch
    return button;
}

void ListWindowBase::setListParams(const ListWindowParams& params) {
    m_params = params;
    setWindowTitle(params.caption);
    lbFormName->setText(params.lbFormName);
}

clsMDB& ListWindowBase::db() {
    if (!m_db)
        m_db = std::make_unique<clsMDB>();
    return *m_db;
}

ListWindowBase::ListRead ListWindowBase::readList(const std::function<bool()>& read) {
    const QScopedValueRollback<bool> reading(m_reading, true);
    const ReadProgress progress(db(), this, windowTitle());
    if (read())
        return ListRead::Read;
    return progress.cancelled() ? ListRead::Cancelled : ListRead::Failed;
}

void ListWindowBase::loadList() {
    // A load asked for while this window reads (an event that the progress dialog let through) would
    // only read the same rows again, through the connection that is busy reading them.
    if (m_reading)
        return;
    // A failing list or rights query is reported with its description, not shown as an empty list
    // without buttons; the window stays usable and the next activation tries again. Whatever failed,
    // the load says so once.
    QString failure;
    takeRightsFailure();
    const std::optional<QString> stopped = failureOf([&] {
        WaitCursor hourglass;
        m_loader.readParams(m_params);
        // The full list: a condition left in the box would seem to apply to it.
        txtSearchValue->clear();
        cmbSearch->clear();
        cmbSearch->addItems(m_loader.searchLabels());
        if (cmbSearch->count() > 0)
            cmbSearch->setCurrentIndex(0);
        applyButtonRights();
        // The rows of before are let go before the new ones are read: a read that the user stops
        // leaves the header row alone, as an empty list would, and says nothing.
        if (readList([&] { return m_loader.load(db(), m_params, dbView->grid()); }) != ListRead::Failed)
            failure = afterLoad();
        else
            failure = m_loader.lastError();
    });
    reportFailure(stopped ? *stopped : failure);
}

QString ListWindowBase::tableName() const {
    return m_params.txtTableNameAndID.split(QLatin1Char(',')).value(0).trimmed();
}

QString ListWindowBase::keyColumn() const {
    return m_params.txtTableNameAndID.split(QLatin1Char(',')).value(1).trimmed();
}

QString ListWindowBase::dialogName() const {
    return m_params.txtFrmName.trimmed().toLower();
}

std::optional<SearchQuery> ListWindowBase::searchQuery(const QString& value, QString& error) const {
    return ListSearch::build(m_loader.currentQuery(), m_loader.searchFields(), cmbSearch->currentIndex(),
                             value, error);
}

void ListWindowBase::searchList() {
    const QString value = txtSearchValue->text().trimmed();
    if (value.isEmpty()) {
        loadList();
        return;
    }
    if (m_reading) // as for a load
        return;
    WaitCursor hourglass;
    QString error;
    std::optional<SearchQuery> query = searchQuery(value, error);
    // The list query's own values (a customer type's name) come before those of the condition spliced
    // in after its condition. A search that the user stops leaves the rows of before, and says nothing.
    const ListRead read = !query ? ListRead::Failed : readList([&] {
        return m_loader.fillGrid(db(), query->sql, m_params, dbView->grid(),
                                 m_params.sqlParams + query->params);
    });
    if (read == ListRead::Cancelled)
        return;
    if (read == ListRead::Read) {
        reportFailure(afterLoad());
        return;
    }
    if (query)
        error = m_loader.lastError();
    Messages::show(QStringLiteral("错误描述:【") + error + QStringLiteral("】."), MsgIcon::Information,
                   MsgButtons::OK, QStringLiteral("提示信息"));
}

void ListWindowBase::reloadKeepingSearch() {
    if (txtSearchValue->text().trimmed().isEmpty())
        loadList();
    else
        searchList();
}

RecordDialogOutcome ListWindowBase::openDialog(const QStringList& formNames, RecordDialogRequest request) {
    request.formName = formNames.value(0);
    for (const QString& name : formNames)
        if (FormFactory::isRegistered(name)) {
            request.formName = name;
            break;
        }
    return openRecordDialog(request);
}

QList<int> ListWindowBase::selectedDataRows() const {
    QList<int> rows;
    for (int row : dbView->selectedRowList())
        if (row >= 1 && row < dbView->Rows())
            rows << row;
    return rows;
}

std::optional<bool> ListWindowBase::readRight(const QString& prefix) const {
    try {
        return HasModuleRole(windowTitle(), prefix);
    } catch (const DbError& error) {
        if (m_rightsError.isEmpty())
            m_rightsError = error.description();
        return std::nullopt;
    }
}

void ListWindowBase::showByRight(QPushButton* button, const QString& prefix) const {
    const std::optional<bool> right = readRight(prefix);
    button->setVisible(right.value_or(true));
    button->setEnabled(right.has_value());
    button->update();
}

QString ListWindowBase::takeRightsFailure() const {
    return std::exchange(m_rightsError, QString());
}

void ListWindowBase::showRightsMenu(const std::function<QMenu*()>& build, const QPoint& globalPos) {
    takeRightsFailure();
    const std::unique_ptr<QMenu> menu(build());
    if (!m_rightsError.isEmpty()) {
        reportFailure(QString());
        return;
    }
    menu->exec(globalPos);
}

void ListWindowBase::reportFailure(const QString& failure) const {
    const QString rights = takeRightsFailure();
    if (failure.isEmpty() && rights.isEmpty())
        return;
    QString text = guardedFailureText(QStringLiteral("数据提取失败！"), failure.isEmpty() ? rights : failure);
    if (!rights.isEmpty())
        text += QStringLiteral("\n不能读取您的操作权限，相应的按钮暂时不能使用。");
    Messages::show(text, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
}

bool ListWindowBase::isActiveChild() const {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    return !sub || !sub->mdiArea() || sub->mdiArea()->activeSubWindow() == sub;
}

void ListWindowBase::scheduleLoad() {
    if (m_loadPending)
        return;
    m_loadPending = true;
    QTimer::singleShot(0, this, [this] {
        m_loadPending = false;
        loadList();
    });
}

bool ListWindowBase::event(QEvent* event) {
    // A child window reloads when the user goes to it among the child windows; not when the area
    // activates it again after a dialog, nor when another child opens or closes over it.
    if (event->type() == QEvent::WindowActivate && isWindow()) {
        scheduleLoad();
    } else if (event->type() == QEvent::ParentChange) {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (MdiChildWatcher* watcher = MdiChildWatcher::of(sub ? sub->mdiArea() : nullptr))
            connect(watcher, &MdiChildWatcher::childChosen, this, &ListWindowBase::childChosen,
                    Qt::UniqueConnection);
    }
    return QWidget::event(event);
}

void ListWindowBase::childChosen(QMdiSubWindow* sub) {
    if (sub == parentWidget())
        scheduleLoad();
}

void ListWindowBase::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing is the opening; the area shows a child again when another one is maximized.
    if (!std::exchange(m_shown, true))
        scheduleLoad();
}
