#pragma once

#include <QString>

#include <stdexcept>

// A custodian row that cannot be saved as it stands; the text is shown as a warning and
// the row stays in edit.
class UsersError : public std::runtime_error
{
public:
    explicit UsersError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    QString text() const { return m_text; }

private:
    QString m_text;
};
