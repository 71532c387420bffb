#pragma once
#include <QString>
#include <stdexcept>

// A print job that the printing control could not carry out; text() is what the user is told.
class PrintError : public std::runtime_error {
public:
    explicit PrintError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
