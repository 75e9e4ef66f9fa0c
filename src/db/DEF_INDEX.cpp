#include "db/DEF_INDEX.h"

QString indexOptionsText(IndexOptions options)
{
    QStringList parts;
    if (options.testFlag(IndexOption::Primary))
        parts << QStringLiteral("primary");
    if (options.testFlag(IndexOption::Unique))
        parts << QStringLiteral("unique");
    if (options.testFlag(IndexOption::Descending))
        parts << QStringLiteral("descending");
    if (options.testFlag(IndexOption::CaseInsensitive))
        parts << QStringLiteral("case-insensitive");
    if (options.testFlag(IndexOption::Expression))
        parts << QStringLiteral("expression");
    return parts.join(QStringLiteral(", "));
}

QStringList DEF_INDEX::fieldList() const
{
    if (options.testFlag(IndexOption::Expression))
        return {fields};
    QStringList list = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &f : list)
        f = f.trimmed();
    return list;
}
