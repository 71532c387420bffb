#include "pickers/PickerServices.h"
#include "ui/FormFactory.h"
#include "ui/IRecordDialog.h"
#include "ui/ModalRunner.h"

#include <QDialog>
#include <memory>

namespace PickerServices {

ServiceHook<void()>& rebuildNavigationTree() {
    // The shell installs the rebuild of its tree; without a main window there is none to rebuild.
    static ServiceHook<void()> hook([] {});
    return hook;
}

bool runAddDialog(const QString& formName, const QString& caption) {
    std::unique_ptr<QWidget> window(FormFactory::create(formName));
    auto* dialog = qobject_cast<QDialog*>(window.get());
    if (!dialog)
        return false;
    if (auto* record = dynamic_cast<IRecordDialog*>(dialog))
        record->setMode(RecordMode::Add);
    dialog->setWindowTitle(caption);
    ModalRunner::run(*dialog);
    return true;
}

} // namespace PickerServices
