#pragma once
#include <QString>
#include <QVariant>
#include <QtGlobal>

// A value of a cross table: a field of the result, a member's key or title, a cell of the sum table.
// It is empty (never assigned), Null (the database's missing value), a whole number, a floating-point
// number or a text.
class CrossValue {
public:
    enum class Kind : quint8 { Empty, Null, Integer, Double, Text };

    CrossValue() = default;
    CrossValue(qint64 value) : m_kind(Kind::Integer) { m_num.i = value; }
    CrossValue(int value) : CrossValue(static_cast<qint64>(value)) {}
    CrossValue(double value) : m_kind(Kind::Double) { m_num.d = value; }
    CrossValue(QString text) : m_kind(Kind::Text), m_text(std::move(text)) {}
    CrossValue(const char* text) : CrossValue(QString::fromUtf8(text)) {}
    static CrossValue null();
    // An invalid QVariant is Null; integral types are whole numbers, byte arrays read as UTF-8 text.
    static CrossValue fromVariant(const QVariant& value);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isNumber() const { return m_kind == Kind::Integer || m_kind == Kind::Double; }
    bool isText() const { return m_kind == Kind::Text; }
    qint64 integer() const { return m_num.i; }
    double number() const { return m_kind == Kind::Integer ? static_cast<double>(m_num.i) : m_num.d; }
    const QString& textValue() const { return m_text; }

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
    friend bool operator==(const CrossValue& a, const CrossValue& b) { return a.sameKey(b); }
    friend size_t qHash(const CrossValue& value, size_t seed);

    // The number at the start of a text: blanks, tabs and line feeds are skipped, then an optional
    // sign, digits with at most one decimal point and an optional exponent are read up to the first
    // other character; 0 when the text begins with no number.
    static double leadingNumber(const QString& text);
    // The numeric value of a cell for subtotals: numbers as they are, texts by leadingNumber, else 0.
    double subtotalValue() const;

private:
    Kind m_kind = Kind::Empty;
    union {
        qint64 i;
        double d;
    } m_num{0};
    QString m_text;
};

size_t qHash(const CrossValue& value, size_t seed = 0);
