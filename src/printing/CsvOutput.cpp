#include "printing/CsvOutput.h"

#include "app/SafeFileWriter.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

bool looksLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-')
           || first == QLatin1Char('@');
}

QString quoted(const QString &text, bool always = false)
{
    if (!always && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

} // namespace

namespace CsvOutput {

QString text(const QString &value)
{
    if (looksLikeFormula(value))
        return quoted(QLatin1Char('\'') + value, true);
    return quoted(value);
}

QString field(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        if (!std::isfinite(v))
            return QString();
        // Shortest text that reads back as the same double, never with an exponent.
        const QString s = QString::number(v, 'f', QLocale::FloatingPointShortest);
        return s == QLatin1String("-0") ? QStringLiteral("0") : s;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toString();
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODate);
    default:
        return text(value.toString());
    }
}

QString toText(const ReportDefinition &definition, const QVector<ReportRow> &rows)
{
    QStringList header;
    for (const ReportColumn &c : definition.columns) {
        QString name = c.csvName;
        if (name.isEmpty())
            name = QString(c.caption).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
        header.append(quoted(name));
    }
    QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    int number = 0;
    QVariant restartKey;
    int restartField = -1;
    for (const ReportGroup &g : definition.groups)
        if (g.restartNumbering)
            restartField = g.keyField; // the innermost group that restarts the numbers
    for (int i = 0; i < rows.size(); ++i) {
        const ReportRow &row = rows[i];
        bool restart = false;
        if (i > 0 && restartField >= 0)
            for (const ReportGroup &g : definition.groups) {
                if (row.value(g.keyField) != rows[i - 1].value(g.keyField))
                    restart = true;
                if (g.keyField == restartField)
                    break;
            }
        number = restart ? 1 : number + 1;
        QStringList fields;
        for (const ReportColumn &c : definition.columns)
            fields.append(c.field == ReportColumn::RunningNumber ? QString::number(number)
                                                                 : field(row.value(c.field)));
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

bool write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const QString &path,
           QString *error)
{
    return SafeFileWriter::writeFile(path, toText(definition, rows).toUtf8(), error);
}

} // namespace CsvOutput
