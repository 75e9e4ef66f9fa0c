#include "app/Initials.h"

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char('.')
           || c == QLatin1Char(';');
}

} // namespace

QString Initials::fromName(const QString &name)
{
    QString result;
    bool atWordStart = true;
    for (const QChar c : name) {
        if (isSeparator(c)) {
            atWordStart = true;
            continue;
        }
        if (atWordStart) {
            result.append(c);
            if (result.size() == MaxLength)
                break;
            atWordStart = false;
        }
    }
    return result;
}
