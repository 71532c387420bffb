#pragma once
#include <QString>
#include <QStringList>

// The two "column like value" rows of the list condition dialog and what they build. A row is in use
// when a column other than entry 0 ("选择") is chosen and its value, trimmed, is not empty.
class ListConditions {
public:
    // The columns of customer_info_view, paired by position with the captions; entry 0 is no column.
    static const QStringList Columns;
    // The captions of the list dialog and those of its twin (entries 1 and 2 differ).
    static const QStringList Captions;
    static const QStringList DocCaptions;

    struct Row {
        int index = 0; // into Columns and the caption list
        QString value; // as typed
        bool inUse() const;
    };
    Row row1;
    Row row2;

    QString execCond() const;
    // `captions` is the caption list the dialog shows.
    QString showCond(const QStringList& captions) const;
};
