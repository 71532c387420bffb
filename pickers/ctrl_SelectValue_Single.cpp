#include "pickers/ctrl_SelectValue_Single.h"
#include "core/Messages.h"
#include "pickers/KeyAsciiFilter.h"
#include "pickers/PickerIcons.h"

#include <QComboBox>
#include <QHBoxLayout>

ctrl_SelectValue_Single::ctrl_SelectValue_Single(QWidget* parent)
    : QWidget(parent), m_combo(new QComboBox(this)) {
    m_combo->setObjectName(QStringLiteral("ImgCombo"));
    // Locked against typing: only listed items can be picked. It shows no text until the host
    // resets or fills it.
    m_combo->setEditable(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    setFocusProxy(m_combo);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            m_list.setCurrentIndex(index);
    });
    connect(m_combo, &QComboBox::activated, this, [this] { emit Click(); });
    new KeyAsciiFilter(m_combo, [this](qint16* keyAscii) { emit KeyPress(keyAscii); });
}

void ctrl_SelectValue_Single::showList() {
    m_filling = true;
    m_combo->clear();
    m_combo->setPlaceholderText(ValuePickerList::EmptyText);
    for (const ValuePickerList::Item& item : m_list.items()) {
        if (item.hasPicture)
            m_combo->addItem(PickerIcons::root(), item.text, item.key);
        else
            m_combo->addItem(item.text, item.key);
    }
    m_filling = false;
    showSelection();
}

void ctrl_SelectValue_Single::showSelection() {
    m_filling = true;
    m_combo->setCurrentIndex(m_list.currentIndex());
    m_filling = false;
}

bool ctrl_SelectValue_Single::LoadData() {
    QString error;
    const bool loaded = m_list.LoadData(error);
    showList();
    if (!loaded)
        Messages::show(error, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示"));
    return loaded;
}

void ctrl_SelectValue_Single::setQuery(const QString& title, const QString& sql, const QString& showField,
                                       const QString& returnField) {
    Reset();
    setTitle(title);
    setBaseSql(sql);
    setShowField(showField);
    setReturnField(returnField);
}

bool ctrl_SelectValue_Single::LoadData(const clsMDB& db) {
    setConnection(&db);
    const bool loaded = LoadData();
    setConnection(nullptr);
    return loaded;
}

bool ctrl_SelectValue_Single::LoadData(const clsMDB& db, QString& errorText) {
    setConnection(&db);
    const bool loaded = m_list.LoadData(errorText);
    setConnection(nullptr);
    showList();
    return loaded;
}

bool ctrl_SelectValue_Single::Setvalues(const QString& value, const QString& unused) {
    const bool found = m_list.Setvalues(value, unused);
    showSelection();
    return found;
}

void ctrl_SelectValue_Single::locate(const QString& text) {
    m_list.locate(text);
    showSelection();
}

bool ctrl_SelectValue_Single::locateByValue(const QString& value) {
    const bool found = m_list.locateByValue(value);
    showSelection();
    return found;
}

void ctrl_SelectValue_Single::Reset() {
    m_list.Reset();
    showList();
}

bool ctrl_SelectValue_Single::Enabled() const {
    return m_combo->isEnabled();
}

void ctrl_SelectValue_Single::setEnabled(bool enabled) {
    m_combo->setEnabled(enabled);
}
