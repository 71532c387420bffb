#pragma once
#include <QDate>
#include <QString>

// What a selection dialog hands back to its caller: the picked text and, for the customer-type
// dialog, the type's key. An empty tag means that nothing was picked.
class SelectionChoice {
public:
    // A tree node picked: its text, and the id part of its key.
    void pickNode(const QString& text, const QString& nodeKey);
    // A day picked: "yyyy-MM-dd".
    void pickDate(const QDate& day);
    void clear();

    const QString& tag() const { return m_tag; }
    const QString& key() const { return m_key; }
    bool isEmpty() const { return m_tag.isEmpty(); }

    static QString dateTag(const QDate& day);

private:
    QString m_tag;
    QString m_key;
};
