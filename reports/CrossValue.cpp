#include "reports/CrossValue.h"
#include "reports/CrossTableError.h"

#include <QHashFunctions>
#include <cmath>
#include <limits>

CrossValue CrossValue::null() {
    CrossValue value;
    value.m_kind = Kind::Null;
    return value;
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

QString CrossValue::text() const {
    switch (m_kind) {
    case Kind::Integer:
        return QString::number(m_num.i);
    case Kind::Double:
        return QString::number(m_num.d, 'g', 15);
    case Kind::Text:
        return m_text;
    case Kind::Empty:
    case Kind::Null:
        break;
    }
    return QString();
}

QVariant CrossValue::toVariant() const {
    switch (m_kind) {
    case Kind::Integer:
        return QVariant(static_cast<qlonglong>(m_num.i));
    case Kind::Double:
        return QVariant(m_num.d);
    case Kind::Text:
        return QVariant(m_text);
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
    if (m_kind == Kind::Null || value.m_kind == Kind::Empty)
        return;
    if (m_kind == Kind::Empty || value.m_kind == Kind::Null) {
        *this = value;
        return;
    }
    if (isText() && value.isText()) {
        m_text += value.m_text;
        return;
    }
    if (m_kind == Kind::Integer && value.m_kind == Kind::Integer) {
        qint64 sum;
        if (!qAddOverflow(m_num.i, value.m_num.i, &sum)) {
            m_num.i = sum;
            return;
        }
    }
    double left = 0;
    double right = 0;
    if (isText()) {
        if (!readsAsNumber(m_text, left))
            typeMismatch();
    } else {
        left = number();
    }
    if (value.isText()) {
        if (!readsAsNumber(value.m_text, right))
            typeMismatch();
    } else {
        right = value.number();
    }
    m_text.clear();
    m_kind = Kind::Double;
    m_num.d = left + right;
}

bool CrossValue::sameKey(const CrossValue& other) const {
    if (isNumber() && other.isNumber()) {
        if (m_kind == Kind::Integer && other.m_kind == Kind::Integer)
            return m_num.i == other.m_num.i;
        return number() == other.number();
    }
    if (m_kind != other.m_kind)
        return false;
    return m_kind != Kind::Text || m_text == other.m_text;
}

size_t qHash(const CrossValue& value, size_t seed) {
    switch (value.m_kind) {
    case CrossValue::Kind::Integer:
        return qHash(value.m_num.i, seed);
    case CrossValue::Kind::Double: {
        // Equal numbers hash alike whichever kind holds them.
        const double d = value.m_num.d;
        if (std::trunc(d) == d && std::fabs(d) < 9.2e18)
            return qHash(static_cast<qint64>(d), seed);
        return qHash(d, seed);
    }
    case CrossValue::Kind::Text:
        return qHash(value.m_text, seed);
    case CrossValue::Kind::Empty:
    case CrossValue::Kind::Null:
        break;
    }
    return qHash(static_cast<int>(value.m_kind), seed);
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
    switch (m_kind) {
    case Kind::Integer:
    case Kind::Double:
        return number();
    case Kind::Text:
        return leadingNumber(m_text);
    case Kind::Empty:
    case Kind::Null:
        break;
    }
    return 0;
}
