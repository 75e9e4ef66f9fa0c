#pragma once

#include <QString>

#include <stdexcept>

// A failed file operation, with the text shown to the user.
class IoError : public std::runtime_error
{
public:
    explicit IoError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }

    QString text() const { return m_text; }

private:
    QString m_text;
};
