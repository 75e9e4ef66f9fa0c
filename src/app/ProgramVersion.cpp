#include "app/ProgramVersion.h"

#include <QStringList>

QString ProgramVersion::normalized(const QString &version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    if (parts.size() > 4)
        return QStringLiteral("0.0.0.0");
    QStringList numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const uint n = part.toUInt(&ok);
        if (!ok)
            return QStringLiteral("0.0.0.0");
        numbers.append(QString::number(n));
    }
    while (numbers.size() < 4)
        numbers.append(QStringLiteral("0"));
    return numbers.join(QLatin1Char('.'));
}

QString ProgramVersion::current()
{
#ifdef TESSARO_VERSION
    return normalized(QStringLiteral(TESSARO_VERSION));
#else
    return QStringLiteral("0.0.0.0");
#endif
}
