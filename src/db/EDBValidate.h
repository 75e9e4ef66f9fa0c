#pragma once

#include <QString>

#include <stdexcept>

// An error raised by the structure check of a data directory (TDatabaseValidator).
class EDBValidate : public std::runtime_error
{
public:
    explicit EDBValidate(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
