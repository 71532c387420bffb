#pragma once
#include <QString>
#include <QStringList>

// The measures of a cross table, parsed from a measure text "column:caption,column:caption,...":
// the column names and their captions in the order written. An item without ":" is captioned with
// its column name as written; parts after a second ":" are ignored.
struct MeasureList {
    QStringList names;
    QStringList captions;
    int count() const { return static_cast<int>(names.size()); }

    // trimNames: the column names lose their leading and trailing blanks (the captions never do).
    // An empty measure text names no measure and throws CrossTableError.
    static MeasureList parse(const QString& measureText, bool trimNames);
};
