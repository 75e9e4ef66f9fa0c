#include "app/ScriptedMessages.h"

void ScriptedMessages::warning(const QString &text) { m_shown.append({Kind::Warning, text}); }
void ScriptedMessages::error(const QString &text) { m_shown.append({Kind::Error, text}); }
void ScriptedMessages::information(const QString &text) { m_shown.append({Kind::Information, text}); }

bool ScriptedMessages::okCancel(const QString &text)
{
    m_shown.append({Kind::OkCancel, text});
    return nextAnswer();
}

bool ScriptedMessages::yesNo(const QString &text)
{
    m_shown.append({Kind::YesNo, text});
    return nextAnswer();
}

bool ScriptedMessages::nextAnswer()
{
    return m_answers.isEmpty() ? m_default : m_answers.dequeue();
}

QStringList ScriptedMessages::texts() const
{
    QStringList all;
    for (const Shown &s : m_shown)
        all << s.text;
    return all;
}

QStringList ScriptedMessages::texts(Kind kind) const
{
    QStringList some;
    for (const Shown &s : m_shown)
        if (s.kind == kind)
            some << s.text;
    return some;
}
