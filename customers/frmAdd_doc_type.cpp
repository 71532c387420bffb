#include "customers/frmAdd_doc_type.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "customers/CustomerTypeStore.h"
#include "pickers/PickerServices.h"
#include "pickers/SelectionTreeView.h"
#include "ui/SlotGuard.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

const QString MessageTitle = QStringLiteral("提示信息");

// An open connection for one piece of work; failures to open are thrown.
void openDb(clsMDB& db) {
    QString error;
    if (!db.OpenDatabase(error))
        throw DbError(error, QStringLiteral("OpenDatabase"));
}

const TreeEditorDialog::Texts Captions{.frame = QStringLiteral("行业类型"),
                                       .nameLabel = QStringLiteral("行业名称:"),
                                       .optionsLabel = QStringLiteral("类型名称:"),
                                       .sibling = QStringLiteral("同级类型"),
                                       .child = QStringLiteral("下级类型"),
                                       .add = QStringLiteral("  添加(&A)"),
                                       .del = QStringLiteral("   删除(&D)"),
                                       .edit = QStringLiteral("   修改(&M)"),
                                       .save = QStringLiteral("   保存(&S)"),
                                       .cancel = QStringLiteral("取消(&C)")};

} // namespace

frmAdd_doc_type::frmAdd_doc_type(QWidget* parent) : TreeEditorDialog(Captions, parent) {
    setObjectName(QStringLiteral("frmAdd_doc_type"));
    setWindowTitle(QStringLiteral("添加行业类型"));
    resize(620, 400);
}

bool frmAdd_doc_type::fillTree() {
    return guardSlot([&] {
        clsMDB db;
        openDb(db);
        QString error;
        const auto tree = SelectionTree::customerTypes().load(db, error);
        if (!tree)
            throw DbError(error, QStringLiteral("customer_type"));
        SelectionTreeView::fill(*trvReport(), *tree);
        db.CloseDatabase();
    });
}

bool frmAdd_doc_type::isFixedNode(const QTreeWidgetItem* node) const {
    return node && node == trvReport()->topLevelItem(0);
}

std::optional<QString> frmAdd_doc_type::remarkOf(qint64 etid) {
    clsMDB db;
    openDb(db);
    auto rs = db.GetRS(QStringLiteral("select * from customer_type where etid=?"), {etid});
    if (!rs || rs->Eof())
        return std::nullopt;
    const QString description = rs->Text(QStringLiteral("description"));
    return description.isEmpty() ? QStringLiteral(" ") : description.trimmed();
}

void frmAdd_doc_type::btnSave_Click() {
    if (state() == State::Idle)
        return;
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        CustomerTypeStore store(db);
        CustomerTypeStore::Result result;
        const std::optional<qint64> selected = SelectionTreeView::idOfNode(trvReport()->currentItem());
        if (state() == State::Adding) {
            qint64 parent = 0;
            if (selected)
                parent = Option1()->isChecked() ? store.parentOf(*selected) : *selected;
            result = store.add(txtName()->text(), txtRemark()->toPlainText(), parent);
        } else {
            if (!shownId())
                return;
            std::optional<qint64> parent;
            const bool moving = Option1()->isEnabled() || Option2()->isEnabled();
            if (moving && referenceId())
                parent = Option1()->isChecked() ? store.parentOf(*referenceId()) : *referenceId();
            result = store.update(*shownId(), txtName()->text(), txtRemark()->toPlainText(), parent);
        }
        db.CloseDatabase();
        if (result.refused()) {
            inform(result.text);
            if (result.text == CustomerTypeStore::NameMissing || result.text == CustomerTypeStore::NameTaken)
                txtName()->setFocus();
            return;
        }
        if (result.failed()) {
            Messages::show(QStringLiteral("添加或修改数据失败！"), MsgIcon::Critical, MsgButtons::OK,
                           MessageTitle);
            return;
        }
        saved();
    });
}

bool frmAdd_doc_type::removeNode(qint64 etid) {
    if (Messages::show(QStringLiteral("是否真的要删除选定记录？Y/N"), MsgIcon::Question, MsgButtons::YesNo,
                       MessageTitle) != MsgAnswer::Yes)
        return false;
    bool removed = false;
    guardSlot([&] {
        clsMDB db;
        openDb(db);
        const CustomerTypeStore::Result result = CustomerTypeStore(db).remove(etid);
        db.CloseDatabase();
        if (result.refused())
            inform(result.text);
        else if (result.failed())
            Messages::show(QStringLiteral("删除失败，错误描述:【") + result.text + QStringLiteral("】."),
                           MsgIcon::Critical, MsgButtons::OK, MessageTitle);
        removed = result.done();
    });
    m_changed = m_changed || removed;
    return removed;
}

void frmAdd_doc_type::saved() {
    m_changed = true;
    afterChange();
}

void frmAdd_doc_type::done(int result) {
    TreeEditorDialog::done(result);
    // The navigation tree lists the types and their rights modules follow them.
    if (m_changed) {
        m_changed = false;
        PickerServices::rebuildNavigationTree()();
    }
}
