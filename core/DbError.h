#pragma once
#include <QString>
#include <stdexcept>

// A database failure that the data-access object passes on to its caller (transactions, connecting).
class DbError : public std::runtime_error {
public:
    DbError(const QString& description, const QString& source)
        : std::runtime_error(description.toStdString()), m_description(description), m_source(source) {}

    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }

private:
    QString m_description;
    QString m_source;
};
