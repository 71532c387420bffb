#pragma once
#include "pickers/ActivatingDialog.h"
#include "ui/IRecordDialog.h"

#include <QString>

class QLineEdit;

// The frame of the administration's record dialogs: centred, fixed size, without minimise and
// maximise buttons, loading on activation, under the record-dialog protocol. Neither Enter nor Escape
// does anything, unless the dialog names a default button, which Enter presses.
class AdminRecordDialog : public ActivatingDialog, public IRecordDialog {
    Q_OBJECT
public:
    explicit AdminRecordDialog(QWidget* parent = nullptr);

    // A text box that shows "*" for every character, with the input method off.
    static QLineEdit* makePasswordBox(const char* objectName);

    // The message of a refused check: information icon, title "提示信息".
    static void inform(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
