#include "reports/CrossValue.h"
#include "reports/CrossTableError.h"

#include <cmath>
#include <limits>

CrossValue CrossValue::null() {
    CrossValue value;
    value.m_value = NullValue{};
    return value;
}

qint64 CrossValue::integer() const {
    const qint64* whole = std::get_if<qint64>(&m_value);
    return whole ? *whole : 0;
}

double CrossValue::number() const {
    if (const qint64* whole = std::get_if<qint64>(&m_value))
        return static_cast<double>(*whole);
    const double* real = std::get_if<double>(&m_value);
    return real ? *real : 0;
}

const QString& CrossValue::textValue() const {
    static const QString none;
    const QString* text = std::get_if<QString>(&m_value);
    return text ? *text : none;
}

CrossValue CrossValue::fromVariant(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return null();
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return CrossValue(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return CrossValue(value.toDouble());
    case QMetaType::QByteArray:
        return CrossValue(QString::fromUtf8(value.toByteArray()));
    default:
        return CrossValue(value.toString());
    }
}

CrossValue CrossValue::fromCell(const Recordset::CellView& cell) {
    using Kind = Recordset::CellView::Kind;
    switch (cell.kind) {
    case Kind::Integer:
        return CrossValue(cell.integer);
    case Kind::Double:
        return CrossValue(cell.real);
    case Kind::Text:
    case Kind::Blob:
        return CrossValue(QString::fromUtf8(cell.bytes));
    case Kind::Null:
        break;
    }
    return null();
}

QString CrossValue::text() const {
    switch (kind()) {
    case Kind::Integer:
        return QString::number(integer());
    case Kind::Double:
        return QString::number(number(), 'g', 15);
    case Kind::Text:
        return textValue();
    case Kind::Empty:
    case Kind::Null:
        break;
    }
    return QString();
}

QVariant CrossValue::toVariant() const {
    switch (kind()) {
    case Kind::Integer:
        return QVariant(static_cast<qlonglong>(integer()));
    case Kind::Double:
        return QVariant(number());
    case Kind::Text:
        return QVariant(textValue());
    case Kind::Empty:
    case Kind::Null:
        break;
    }
    return QVariant();
}

namespace {
// Whether a whole text reads as a number (blanks around it allowed), as a number meeting a text asks.
bool readsAsNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok;
}

[[noreturn]] void typeMismatch() {
    throw CrossTableError(QStringLiteral("类型不匹配"));
}
} // namespace

void CrossValue::add(const CrossValue& value) {
    const Kind mine = kind();
    const Kind theirs = value.kind();
    if (mine == Kind::Null || theirs == Kind::Empty)
        return;
    if (mine == Kind::Empty || theirs == Kind::Null) {
        *this = value;
        return;
    }
    if (mine == Kind::Text && theirs == Kind::Text) {
        std::get<QString>(m_value) += value.textValue();
        return;
    }
    if (mine == Kind::Integer && theirs == Kind::Integer) {
        qint64 sum;
        if (!qAddOverflow(integer(), value.integer(), &sum)) {
            m_value = sum;
            return;
        }
    }
    double left = 0;
    double right = 0;
    if (mine == Kind::Text) {
        if (!readsAsNumber(textValue(), left))
            typeMismatch();
    } else {
        left = number();
    }
    if (theirs == Kind::Text) {
        if (!readsAsNumber(value.textValue(), right))
            typeMismatch();
    } else {
        right = value.number();
    }
    m_value = left + right;
}

bool CrossValue::sameKey(const CrossValue& other) const {
    if (isNumber() && other.isNumber()) {
        if (kind() == Kind::Integer && other.kind() == Kind::Integer)
            return integer() == other.integer();
        return number() == other.number();
    }
    if (kind() != other.kind())
        return false;
    return kind() != Kind::Text || textValue() == other.textValue();
}

double CrossValue::leadingNumber(const QString& text) {
    QByteArray number;
    bool digits = false;
    bool point = false;
    bool exponent = false;
    bool exponentDigits = false;
    for (const QChar ch : text) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n'))
            continue;
        const char c = ch.toLatin1();
        if (c >= '0' && c <= '9') {
            number += c;
            (exponent ? exponentDigits : digits) = true;
        } else if ((c == '+' || c == '-') &&
                   (number.isEmpty() || (exponent && !exponentDigits && number.endsWith('E')))) {
            number += c;
        } else if (c == '.' && !point && !exponent) {
            number += c;
            point = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits && !exponent) {
            number += 'E';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (exponent && !exponentDigits) {
        // "12E" or "12E-": the exponent has no digits and is not part of the number
        while (!number.isEmpty() && !std::isdigit(static_cast<unsigned char>(number.back())))
            number.chop(1);
    }
    return number.toDouble();
}

double CrossValue::subtotalValue() const {
    switch (kind()) {
    case Kind::Integer:
    case Kind::Double:
        return number();
    case Kind::Text:
        return leadingNumber(textValue());
    case Kind::Empty:
    case Kind::Null:
        break;
    }
    return 0;
}
