#pragma once

#include <QString>

#include <stdexcept>

// A failure while opening a data directory outside the structure check (the daily copy,
// an upgrade, a directory of an older program). Carries the text shown to the user.
class DataDirectoryError : public std::runtime_error
{
public:
    explicit DataDirectoryError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }

    QString text() const { return m_text; }

private:
    QString m_text;
};
