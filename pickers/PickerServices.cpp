#include "pickers/PickerServices.h"
#include "shell/FormFactory.h"
#include "shell/IRecordDialog.h"
#include "shell/MDIMain.h"
#include "shell/ModalRunner.h"

#include <QDialog>
#include <memory>

namespace PickerServices {

ServiceHook<void()>& rebuildNavigationTree() {
    static ServiceHook<void()> hook(RebuildNavigationTree);
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
