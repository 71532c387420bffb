#pragma once
#include "pickers/ActivatingDialog.h"
#include "ui/IRecordDialog.h"

#include <QSize>
#include <QString>

class QLineEdit;
class QPushButton;

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
    // The message of a failed save with the error's description: "添加失败！错误描述:【...】.".
    static void reportSaveFailure(const QString& description);

protected:
    // Pixels of a length in twips.
    static constexpr int px(int twips) { return twips / 15; }
    // The frame above the closing row of "   保存(&S)" and "取消(&C)" in their fixed sizes, in a window
    // of a fixed size in twips, as the role and user-role dialogs lay themselves out.
    void layOutFrameAndButtons(QWidget* frame, QSize twips, QPushButton*& save, QPushButton*& cancel);

    void keyPressEvent(QKeyEvent* event) override;
};
