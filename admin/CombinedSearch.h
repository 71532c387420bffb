#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <vector>

// Up to four column-contains-text tests combined into one condition for a query on a register of
// agreements. The texts are bound: each test reads "<column> like ? escape '\'" and its value is the
// text between "%" with its own "%", "_" and "\" escaped, so a row matches the text literally.
class CombinedSearch {
public:
    // The labels of the drop-downs and the columns they pick, index for index; 0 is the placeholder
    // "选择" (column "select"), which never enters a condition.
    static const QString LabelText;
    static const QString ColumnText;
    static QStringList labels();  // LabelText split on "|"
    static QStringList columns(); // ColumnText split on ",", blanks kept

    struct Row {
        int index = 0; // the drop-down's selected index
        QString text;  // as typed
    };

    struct Condition {
        QString sql;         // " where  " and the tests joined by " and "
        QVariantList values; // one per "?"
    };

    // The condition of the rows that count (a column chosen and a text left after trimming); nothing
    // when none counts.
    static std::optional<Condition> build(const std::vector<Row>& rows);
};
