#include "ui/ModalRunner.h"
#include "ui/MemoryRelease.h"
#include "ui/TextBoxLimits.h"

#include <QDialog>

namespace ModalRunner {

ServiceHook<int(QDialog&)>& handler() {
    static ServiceHook<int(QDialog&)> hook([](QDialog& dialog) { return dialog.exec(); });
    return hook;
}

int run(QDialog& dialog) {
    TextBoxLimits::limitUnlimited(dialog);
    const int result = handler()(dialog);
    // What the dialog held (a print preview of a long report) goes back once its caller has let it go.
    MemoryRelease::releaseSoon();
    return result;
}

} // namespace ModalRunner
