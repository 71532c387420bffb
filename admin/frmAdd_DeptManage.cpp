#include "admin/frmAdd_DeptManage.h"
#include "admin/DeptStore.h"
#include "core/ActionDatabase.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/SelectionTreeView.h"
#include "ui/SlotGuard.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

const QString SaveFailed = QStringLiteral("添加或修改数据失败！");

void critical(const QString& text) {
    Messages::show(text, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
}

// The row of the options is labelled for what they place: departments.
const TreeEditorDialog::Texts Captions{.frame = QStringLiteral("部门名称"),
                                       .nameLabel = QStringLiteral("部门名称:"),
                                       .optionsLabel = QStringLiteral("部门名称:"),
                                       .sibling = QStringLiteral("同级部门"),
                                       .child = QStringLiteral("下级部门"),
                                       .add = QStringLiteral("  添加(&A)"),
                                       .del = QStringLiteral("  删除(&D)"),
                                       .edit = QStringLiteral("  修改(&M)"),
                                       .save = QStringLiteral("  保存(&S)"),
                                       .cancel = QStringLiteral("  取消(&C)")};

} // namespace

frmAdd_DeptManage::frmAdd_DeptManage(QWidget* parent) : TreeEditorDialog(Captions, parent) {
    setObjectName(QStringLiteral("frmAdd_DeptManage"));
    setWindowTitle(QStringLiteral("添加部门名称"));
    // Neither Enter nor Escape does anything of its own.
    setClosesOnEscape(false);
    setFixedSize(8400 / 15, 5400 / 15);
}

std::optional<RecordMode> frmAdd_DeptManage::windowMode() const {
    switch (state()) {
    case State::Adding:
        return RecordMode::Add;
    case State::Editing:
        return RecordMode::Edit;
    case State::Idle:
        break;
    }
    return std::nullopt;
}

void frmAdd_DeptManage::onActivate() {
    if (!m_modeTaken) {
        // The opener's mode counts until Add or Edit is pressed.
        m_modeTaken = true;
        if (mode() == RecordMode::Add)
            setState(State::Adding);
        else if (mode() == RecordMode::Edit)
            setState(State::Editing);
    }
    loadTree();
}

bool frmAdd_DeptManage::fillTree() {
    return SelectionTreeView::load(*trvReport(), SelectionTree::departments());
}

bool frmAdd_DeptManage::isFixedNode(const QTreeWidgetItem* node) const {
    return node && !node->parent();
}

std::optional<QString> frmAdd_DeptManage::remarkOf(qint64 id) {
    return DeptStore(*ActionDatabase::open()).description(id);
}

bool frmAdd_DeptManage::removeNode(qint64 id) {
    bool removed = false;
    guardSlot([&] {
        const SaveResult outcome = DeptStore(*ActionDatabase::open()).remove(id);
        if (outcome.isRefused())
            inform(outcome.text);
        else if (outcome.kind == SaveResult::Kind::QueryFailed)
            critical(guardedFailureText(QStringLiteral("删除数据失败！"), outcome.text));
        // A failed delete statement has shown its own message.
        removed = outcome.isSaved();
    });
    return removed;
}

void frmAdd_DeptManage::btnSave_Click() {
    if (state() == State::Idle)
        return;
    DeptStore::Save request;
    request.adding = state() == State::Adding;
    request.name = txtName()->text();
    request.description = txtRemark()->toPlainText();
    request.selectedId = SelectionTreeView::idOfNode(trvReport()->currentItem());
    request.shownId = shownId();
    request.targetId = referenceId();
    request.sibling = Option1()->isChecked();
    request.keepParent = !Option1()->isEnabled() && !Option2()->isEnabled();
    guardSlot(
        [&] {
            const SaveResult outcome = DeptStore(*ActionDatabase::open()).save(request);
            if (outcome.isRefused()) {
                inform(outcome.text);
                return;
            }
            if (outcome.isFailure()) {
                critical(SaveFailed);
                return;
            }
            afterChange();
        },
        SaveFailed);
}
