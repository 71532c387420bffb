#include "ui/ModalRunner.h"

#include <QDialog>

namespace ModalRunner {

ServiceHook<int(QDialog&)>& handler() {
    static ServiceHook<int(QDialog&)> hook([](QDialog& dialog) { return dialog.exec(); });
    return hook;
}

int run(QDialog& dialog) {
    return handler()(dialog);
}

} // namespace ModalRunner
