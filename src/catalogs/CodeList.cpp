#include "catalogs/CodeList.h"

static const QChar Quote = QLatin1Char('"');

QString CodeList::quoted(const QStringList &codes)
{
    QStringList parts;
    parts.reserve(codes.size());
    for (QString code : codes)
        parts << Quote + code.replace(Quote, QStringLiteral("\"\"")) + Quote;
    return parts.join(QLatin1Char(','));
}

QString CodeList::bareOrQuoted(const QStringList &codes)
{
    if (codes.size() == 1 && !codes.first().startsWith(Quote))
        return codes.first();
    return quoted(codes);
}

QStringList CodeList::parse(const QString &text)
{
    QStringList codes;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return codes;
    if (!trimmed.startsWith(Quote))
        return {trimmed};

    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    while (i < n) {
        while (i < n && (trimmed[i] == QLatin1Char(',') || trimmed[i].isSpace()))
            ++i;
        if (i >= n)
            break;
        QString code;
        if (trimmed[i] == Quote) {
            ++i;
            while (i < n) {
                if (trimmed[i] == Quote) {
                    if (i + 1 < n && trimmed[i + 1] == Quote) {
                        code += Quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                code += trimmed[i++];
            }
            // Anything between the closing quote and the next comma is not part of a code.
            while (i < n && trimmed[i] != QLatin1Char(','))
                ++i;
        } else {
            while (i < n && trimmed[i] != QLatin1Char(','))
                code += trimmed[i++];
            code = code.trimmed();
        }
        codes << code;
    }
    return codes;
}

SqlCondition CodeList::inCondition(const QString &column, const QString &text, const QString &prefix)
{
    SqlCondition condition;
    const QStringList codes = parse(text);
    if (codes.isEmpty())
        return condition;
    QStringList names;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QString name = QLatin1Char(':') + prefix + QString::number(i);
        names << name;
        condition.values.insert(name, codes.at(i));
    }
    condition.sql = column + QStringLiteral(" IN (") + names.join(QStringLiteral(", ")) + QLatin1Char(')');
    return condition;
}
