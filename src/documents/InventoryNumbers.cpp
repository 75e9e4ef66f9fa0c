#include "documents/InventoryNumbers.h"

#include "db/Database.h"
#include "documents/DocumentRefusal.h"

#include <QSqlQuery>
#include <QVariant>

QString InventoryNumbers::exhaustedText()
{
    return QStringLiteral("Pentru acest produs nu se poate genera cod automat!");
}

QString InventoryNumbers::followingSequence(const QString &prefix, const QString &highest)
{
    // The digits right after the prefix: a classification code may itself hold a "/".
    const QString digits = highest.mid(prefix.size(), 3);
    if (digits == QLatin1String("999"))
        return {};
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok || value < 0)
        return QStringLiteral("001");
    return QStringLiteral("%1").arg(value + 1, 3, 10, QLatin1Char('0'));
}

QString InventoryNumbers::next(const QString &classificationCode) const
{
    const QString prefix = classificationCode + QLatin1Char('/');
    // The code is matched literally: its own "%" or "_" must not act as wildcards.
    QString pattern = prefix;
    pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    QSqlQuery q = m_db.run(QStringLiteral("SELECT DISTINCT \"Cod_articol\" FROM \"Item_in\" "
                                          "WHERE \"Cod_articol\" LIKE :pattern ESCAPE '\\' "
                                          "ORDER BY \"Cod_articol\" DESC LIMIT 1"),
                           {{QStringLiteral(":pattern"), pattern + QLatin1Char('%')}});
    const QString highest = q.next() ? q.value(0).toString() : QString();
    const QString sequence = followingSequence(prefix, highest);
    if (sequence.isEmpty())
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, exhaustedText());
    return prefix + sequence;
}
