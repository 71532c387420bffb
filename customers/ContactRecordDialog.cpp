#include "customers/ContactRecordDialog.h"
#include "core/DbError.h"
#include "core/clsMDB.h"
#include "customers/RecordMessages.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "ui/DialogButtons.h"
#include "ui/LineEditLimit.h"
#include "ui/PlainTextLimit.h"
#include "ui/SlotGuard.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {

constexpr int TwipsPerPixel = 15;
const QString DateFormat = QStringLiteral("yyyy-MM-dd");

} // namespace

ContactRecordDialog::ContactRecordDialog(ContactRecordForm form, QWidget* parent)
    : ActivatingDialog(parent), m_form(std::move(form)), m_store(m_form), m_frame(new QGroupBox(this)),
      m_btnSave(DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setWindowTitle(m_form.designCaption);
    // Enter and Escape have no effect of their own: the buttons answer to their access keys.
    setClosesOnEscape(false);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setTitle(m_form.frameCaption);

    auto* grid = new QGridLayout(m_frame);
    for (const ContactField& field : m_form.fields) {
        auto* label = new QLabel(field.label, m_frame);
        label->setAlignment(Qt::AlignRight |
                            (field.kind == ContactField::Kind::MultiLine ? Qt::AlignTop : Qt::AlignVCenter));
        QWidget* input = makeControl(field);
        label->setBuddy(input);
        grid->addWidget(label, field.gridRow, field.gridColumn);
        grid->addWidget(input, field.gridRow, field.gridColumn + 1, 1, field.gridSpan);
        if (field.kind == ContactField::Kind::MultiLine)
            grid->setRowStretch(field.gridRow, 1);
        m_controls.insert(field.control, input);
    }
    for (int column = 1; column < grid->columnCount(); column += 2)
        grid->setColumnStretch(column, 1);

    auto* buttons = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame, 1);
    layout->addLayout(buttons);

    // Tab order: inputs and buttons by their tab index.
    std::multimap<int, QWidget*> order;
    for (const ContactField& field : m_form.fields)
        order.emplace(field.tabOrder, m_controls.value(field.control));
    order.emplace(m_form.saveTabOrder, m_btnSave);
    order.emplace(m_form.cancelTabOrder, m_btnCancel);
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }

    const QSize client(m_form.clientTwips.width() / TwipsPerPixel,
                       m_form.clientTwips.height() / TwipsPerPixel);
    const QSize size = client.expandedTo(minimumSizeHint());
    if (m_form.fixedBorder)
        setFixedSize(size);
    else
        resize(size);

    connect(m_btnSave, &QPushButton::clicked, this, &ContactRecordDialog::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &ContactRecordDialog::btnCancel_Click);

    // Load: the date pickers show today.
    for (const ContactField& field : m_form.fields)
        if (field.kind == ContactField::Kind::Date)
            static_cast<QDateEdit*>(control(field.control))->setDate(QDate::currentDate());
}

QWidget* ContactRecordDialog::makeControl(const ContactField& field) {
    QWidget* input = nullptr;
    switch (field.kind) {
    case ContactField::Kind::Text:
    case ContactField::Kind::Number: {
        auto* edit = new QLineEdit(m_frame);
        if (field.maxLength > 0)
            limitLineEdit(edit, field.maxLength);
        input = edit;
        break;
    }
    case ContactField::Kind::MultiLine: {
        auto* edit = new QPlainTextEdit(m_frame);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setTabChangesFocus(true);
        if (field.maxLength > 0)
            limitPlainText(edit, field.maxLength);
        input = edit;
        break;
    }
    case ContactField::Kind::Date: {
        auto* date = new QDateEdit(m_frame);
        date->setCalendarPopup(true);
        date->setDisplayFormat(DateFormat);
        input = date;
        break;
    }
    case ContactField::Kind::TitlePicker:
        input = new ctrl_SelectValue_Single(m_frame);
        break;
    }
    input->setObjectName(field.control);
    return input;
}

QString ContactRecordDialog::value(const QString& name) const {
    QWidget* input = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(input))
        return edit->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(input))
        return edit->toPlainText();
    if (auto* date = qobject_cast<QDateEdit*>(input))
        return date->date().toString(DateFormat);
    if (auto* picker = qobject_cast<ctrl_SelectValue_Single*>(input))
        return picker->GetValues();
    return QString();
}

void ContactRecordDialog::setValue(const QString& name, const QString& value) {
    QWidget* input = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(input))
        edit->setText(value);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(input))
        edit->setPlainText(value);
    else if (auto* date = qobject_cast<QDateEdit*>(input)) {
        const QDate day = QDate::fromString(value.left(10), DateFormat);
        if (day.isValid())
            date->setDate(day);
    } else if (auto* picker = qobject_cast<ctrl_SelectValue_Single*>(input))
        picker->locateByValue(value);
}

ContactRecordStore::Values ContactRecordDialog::values() const {
    ContactRecordStore::Values result;
    for (const ContactField& field : m_form.fields)
        result.insert(field.control, value(field.control));
    return result;
}

void ContactRecordDialog::fill(const ContactRecordStore::Values& values) {
    for (const ContactField& field : m_form.fields)
        setValue(field.control, values.value(field.control));
}

void ContactRecordDialog::setEditable(bool editable) {
    for (QWidget* input : std::as_const(m_controls)) {
        if (auto* edit = qobject_cast<QLineEdit*>(input))
            edit->setReadOnly(!editable);
        else if (auto* edit = qobject_cast<QPlainTextEdit*>(input))
            edit->setReadOnly(!editable);
        else if (auto* picker = qobject_cast<ctrl_SelectValue_Single*>(input))
            picker->setEnabled(editable);
        else
            input->setEnabled(editable);
    }
}

void ContactRecordDialog::loadTitles(const clsMDB& db) {
    for (const ContactField& field : m_form.fields) {
        if (field.kind != ContactField::Kind::TitlePicker)
            continue;
        auto* picker = static_cast<ctrl_SelectValue_Single*>(control(field.control));
        picker->setQuery(QStringLiteral("头衔"),
                         QStringLiteral("select prid,name from info_parameter where pmid=1 "),
                         QStringLiteral("name"), QStringLiteral("prid"));
        QString error;
        if (!picker->LoadData(db, error))
            throw DbError(error, QStringLiteral("ContactRecordDialog"));
    }
}

void ContactRecordDialog::onActivate() {
    // A dialog whose title list or record cannot be read says so once and goes.
    const bool loaded = guardSlot([&] {
        const bool hasPicker =
            std::any_of(m_form.fields.begin(), m_form.fields.end(),
                        [](const ContactField& f) { return f.kind == ContactField::Kind::TitlePicker; });
        if (mode() == RecordMode::Add && !hasPicker)
            return;
        clsMDB db;
        QString error;
        if (!db.OpenDatabase(error))
            throw DbError(error, QStringLiteral("OpenDatabase"));
        loadTitles(db);
        if (mode() == RecordMode::Add)
            return;
        const bool editable = mode() == RecordMode::Edit;
        if (const auto row = m_store.load(db, rowQuery())) {
            fill(row->values);
            setLoadedKey(row->key);
        }
        setEditable(editable);
        m_btnSave->setEnabled(editable);
    });
    if (!loaded)
        closeAfterFailure();
}

void ContactRecordDialog::btnSave_Click() {
    guardSlot([&] {
        const ContactRecordStore::Values current = values();
        if (const auto refusal = m_store.check(ownerKey(), current)) {
            RecordMessages::inform(refusal->message);
            if (QWidget* input = control(refusal->control))
                input->setFocus();
            return;
        }
        clsMDB db;
        QString error;
        if (!db.OpenDatabase(error) || !m_store.save(db, mode(), ownerKey(), loadedKey(), current)) {
            RecordMessages::saveFailed();
            return;
        }
        db.CloseDatabase();
        // An edited record's dialog goes back to add mode and hides; the opener releases it.
        if (mode() == RecordMode::Edit)
            setMode(RecordMode::Add);
        accept();
    });
}

void ContactRecordDialog::btnCancel_Click() {
    reject();
}
