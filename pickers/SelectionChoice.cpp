#include "pickers/SelectionChoice.h"
#include "pickers/SelectionTree.h"

void SelectionChoice::pickNode(const QString& text, const QString& nodeKey) {
    m_tag = text;
    m_key = SelectionTree::idOfKey(nodeKey);
}

void SelectionChoice::pickDate(const QDate& day) {
    m_tag = dateTag(day);
    m_key.clear();
}

void SelectionChoice::clear() {
    m_tag.clear();
    m_key.clear();
}

QString SelectionChoice::dateTag(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}
