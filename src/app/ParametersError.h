#pragma once

#include <QString>

#include <stdexcept>

// Loading or saving the application parameters failed; the text is what the user sees.
class ParametersError : public std::runtime_error
{
public:
    explicit ParametersError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
