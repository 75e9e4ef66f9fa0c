#include "documents/forms/DocumentHints.h"

#include "app/Status.h"

#include <QEvent>
#include <QWidget>

void DocumentHints::add(QWidget *field, const QString &hint)
{
    m_hints.insert(field, hint);
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this](QObject *gone) { m_hints.remove(gone); });
}

QString DocumentHints::hint(const QWidget *field) const
{
    return m_hints.value(field);
}

QString DocumentHints::registrationDate()
{
    return QStringLiteral("Specificati data la care efectuati înregistrarea documentului !");
}

QString DocumentHints::numberAndDate()
{
    return QStringLiteral("Specificati numarul si data documentului de intrare în gestiune!");
}

bool DocumentHints::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto it = m_hints.constFind(watched);
        if (it != m_hints.constEnd())
            Status::show(*it);
    }
    return QObject::eventFilter(watched, event);
}
