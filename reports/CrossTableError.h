#pragma once
#include <QString>
#include <stdexcept>

// A failed cross-table build: a query the database refused, a column the result lacks, values that
// cannot be added, a measure list without measures. The report window shows description() in its
// failure message.
class CrossTableError : public std::runtime_error {
public:
    explicit CrossTableError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}

    const QString& description() const { return m_description; }

private:
    QString m_description;
};
