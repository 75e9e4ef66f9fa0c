#include "db/SqlDialect.h"

QString SqlDialect::quote(const QString &identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString SqlDialect::qualified(const QString &schema, const QString &name)
{
    return schema.isEmpty() ? quote(name) : quote(schema) + QLatin1Char('.') + quote(name);
}

QString SqlDialect::column(const QString &table, const QString &field)
{
    return quote(table) + QLatin1Char('.') + quote(field);
}
