#pragma once

#include "app/Messages.h"

#include <QList>
#include <QQueue>
#include <QString>

// Records every text shown and answers questions from a prepared queue.
// A question with no prepared answer gets the default answer (true unless changed).
class ScriptedMessages : public Messages
{
public:
    enum class Kind { Warning, Error, Information, OkCancel, YesNo };

    struct Shown
    {
        Kind kind;
        QString text;
    };

    void warning(const QString &text) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool okCancel(const QString &text) override;
    bool yesNo(const QString &text) override;

    void answer(bool value) { m_answers.enqueue(value); }
    void setDefaultAnswer(bool value) { m_default = value; }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    QStringList texts(Kind kind) const;
    bool isEmpty() const { return m_shown.isEmpty(); }
    void clear() { m_shown.clear(); m_answers.clear(); }
    int pendingAnswers() const { return m_answers.size(); }

private:
    bool nextAnswer();

    QList<Shown> m_shown;
    QQueue<bool> m_answers;
    bool m_default = true;
};
