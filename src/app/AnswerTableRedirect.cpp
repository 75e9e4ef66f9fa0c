#include "app/AnswerTableRedirect.h"

#include <QRegularExpression>

bool redirectAnswerTable(QStringList &sqlLines, const QString &table, const QString &schema)
{
    QString name = table.trimmed();
    if (name.endsWith(QStringLiteral(".DB"), Qt::CaseInsensitive))
        name.chop(3);
    if (name.isEmpty())
        return false;

    const QRegularExpression re(
        QStringLiteral("(?<![A-Za-z0-9_$])%1(\\.DB)?(?![A-Za-z0-9_$])")
            .arg(QRegularExpression::escape(name)),
        QRegularExpression::CaseInsensitiveOption);

    for (QString &line : sqlLines) {
        const auto match = re.match(line);
        if (!match.hasMatch())
            continue;
        qsizetype start = match.capturedStart();
        qsizetype length = match.capturedLength();
        // Qualified already, by us or by the author of the query.
        if (start > 0 && line.at(start - 1) == QLatin1Char('.'))
            return false;
        // A quoted name ("ANSW_ST.DB", [ANSW_ST]) loses its quotes: quoted, the schema
        // would become part of the name.
        if (start > 0 && start + length < line.size()) {
            const QChar open = line.at(start - 1);
            const QChar close = line.at(start + length);
            if ((open == QLatin1Char('"') && close == QLatin1Char('"'))
                || (open == QLatin1Char('[') && close == QLatin1Char(']'))
                || (open == QLatin1Char('`') && close == QLatin1Char('`'))) {
                --start;
                length += 2;
            }
        }
        line.replace(start, length, schema + QLatin1Char('.') + name.toUpper());
        return true;
    }
    return false;
}
