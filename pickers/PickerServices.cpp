#include "pickers/PickerServices.h"
#include "shell/FormFactory.h"
#include "shell/ModalRunner.h"

#include <QDialog>
#include <QVariant>
#include <memory>

namespace PickerServices {

ServiceHook<void()>& rebuildNavigationTree() {
    static ServiceHook<void()> hook([] {});
    return hook;
}

ServiceHook<void(QWidget&, const QString&)>& setRecordDialogMode() {
    static ServiceHook<void(QWidget&, const QString&)> hook(
        [](QWidget& dialog, const QString& mode) { dialog.setProperty("Tag", mode); });
    return hook;
}

bool runAddDialog(const QString& formName, const QString& caption) {
    std::unique_ptr<QWidget> window(FormFactory::create(formName));
    auto* dialog = qobject_cast<QDialog*>(window.get());
    if (!dialog)
        return false;
    setRecordDialogMode()(*dialog, QStringLiteral("1"));
    dialog->setWindowTitle(caption);
    ModalRunner::run(*dialog);
    return true;
}

} // namespace PickerServices
