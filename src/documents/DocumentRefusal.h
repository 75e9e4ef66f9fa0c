#pragma once

#include <QString>

#include <stdexcept>

class Messages;

// A document or stock operation refused by one of its rules. Thrown inside the
// operation's transaction, so everything the operation already wrote is rolled back;
// the form that started it shows the text.
class DocumentRefusal : public std::runtime_error
{
public:
    enum class Kind { Warning, Error };

    DocumentRefusal(Kind kind, const QString &text, bool beep = false)
        : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text), m_beep(beep)
    {
    }

    Kind kind() const { return m_kind; }
    QString text() const { return m_text; }
    // Whether the error beep goes before the message.
    bool beep() const { return m_beep; }

    void show(Messages &messages) const;

private:
    Kind m_kind;
    QString m_text;
    bool m_beep;
};
