#include "ui/IRecordDialog.h"
#include "core/Messages.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QDialog>
#include <QPointer>

QString recordModeTag(RecordMode mode) {
    switch (mode) {
    case RecordMode::Add:
        return QStringLiteral("1");
    case RecordMode::Edit:
        return QStringLiteral("2");
    case RecordMode::Browse:
        return QStringLiteral("3");
    }
    return QString();
}

std::optional<RecordMode> recordModeFromTag(const QString& tag) {
    if (tag == QLatin1String("1"))
        return RecordMode::Add;
    if (tag == QLatin1String("2"))
        return RecordMode::Edit;
    if (tag == QLatin1String("3"))
        return RecordMode::Browse;
    return std::nullopt;
}

QString recordDialogCaption(RecordMode mode, const QString& listTitle) {
    switch (mode) {
    case RecordMode::Add:
        return QStringLiteral("添加") + listTitle;
    case RecordMode::Edit:
        return QStringLiteral("修改") + listTitle;
    case RecordMode::Browse:
        return QStringLiteral("浏览") + listTitle;
    }
    return listTitle;
}

QString recordRowQuery(const QString& baseQuery, const QString& keyColumn, const QString& key,
                       const QString& joiner) {
    return baseQuery.trimmed() + joiner + keyColumn + QLatin1Char('=') + key;
}

RecordDialogOutcome openRecordDialog(const RecordDialogRequest& request) {
    RecordDialogOutcome outcome;
    const QString name = request.formName.trimmed();
    QWidget* widget = FormFactory::create(name);
    auto* dialog = qobject_cast<QDialog*>(widget);
    auto* record = dynamic_cast<IRecordDialog*>(widget);
    if (!dialog || !record) {
        delete widget;
        Messages::show(QStringLiteral("记录窗口“%1”尚未提供！").arg(name), MsgIcon::Information,
                       MsgButtons::OK, QStringLiteral("提示信息"));
        return outcome;
    }
    record->setMode(request.mode);
    dialog->setWindowTitle(recordDialogCaption(request.mode, request.listTitle));
    if (request.mode != RecordMode::Add)
        record->setRowQuery(request.rowQuery);
    if (request.ownerKey)
        record->setOwnerKey(*request.ownerKey);

    QPointer<QDialog> guard(dialog);
    outcome.opened = true;
    outcome.result = ModalRunner::run(*dialog);
    if (guard) {
        outcome.loadedKey = record->loadedKey();
        outcome.listResult = record->listResult();
        delete dialog;
    }
    return outcome;
}
