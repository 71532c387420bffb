#pragma once
#include "core/Recordset.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <variant>

// A value of a cross table: a field of the result, a member's key or title, a cell of the sum table.
// It is empty (never assigned), Null (the database's missing value), a whole number, a floating-point
// number or a text.
class CrossValue {
public:
    enum class Kind : quint8 { Empty, Null, Integer, Double, Text };

    CrossValue() = default;
    CrossValue(qint64 value) : m_value(value) {}
    CrossValue(int value) : CrossValue(static_cast<qint64>(value)) {}
    CrossValue(double value) : m_value(value) {}
    CrossValue(QString text) : m_value(std::move(text)) {}
    CrossValue(const char* text) : CrossValue(QString::fromUtf8(text)) {}
    static CrossValue null();
    // An invalid QVariant is Null; integral types are whole numbers, byte arrays read as UTF-8 text.
    static CrossValue fromVariant(const QVariant& value);
    // A cell of a result: Null, a number, or its bytes as UTF-8 text.
    static CrossValue fromCell(const Recordset::CellView& cell);

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Double; }
    bool isText() const { return kind() == Kind::Text; }
    // The whole number (0 unless the value is one), the number (0 unless a number), the text (empty
    // unless a text).
    qint64 integer() const;
    double number() const;
    const QString& textValue() const;

    // The text the grid shows: whole numbers as their digits, other numbers with up to 15 significant
    // digits and no grouping, texts as they are; empty and Null give the empty text.
    QString text() const;
    // Null as an invalid QVariant, empty as an invalid QVariant too.
    QVariant toVariant() const;

    // Adds `value` to this cell: empty + v = v; Null on either side gives Null; numbers add (whole
    // numbers stay whole unless the sum leaves their range); texts join; a number and a text that
    // reads as a number add as numbers. A number meeting any other text throws CrossTableError.
    void add(const CrossValue& value);

    // Key equality: the same kind of value and the same value; whole and other numbers compare by
    // value, texts exactly (case and blanks count).
    bool sameKey(const CrossValue& other) const;

    // The number at the start of a text: blanks, tabs and line feeds are skipped, then an optional
    // sign, digits with at most one decimal point and an optional exponent are read up to the first
    // other character; 0 when the text begins with no number.
    static double leadingNumber(const QString& text);
    // The numeric value of a cell for subtotals: numbers as they are, texts by leadingNumber, else 0.
    double subtotalValue() const;

private:
    struct NullValue {};
    // In the order of Kind.
    std::variant<std::monostate, NullValue, qint64, double, QString> m_value;
};
