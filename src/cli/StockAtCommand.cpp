#include "cli/StockAtCommand.h"

#include "app/SafeFileWriter.h"
#include "cli/ReportOutput.h"
#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "documents/StockAtDate.h"
#include "db/SqliteStatement.h"
#include "reports/SituationCsv.h"

#include <QDate>
#include <QLocale>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <charconv>
#include <cmath>

static QString usage()
{
    return QStringLiteral("Utilizare: tessaro stock-at --data DIR --date AAAA-LL-ZZ [--units A1,B2] --csv FISIER\n");
}

// A text column as the Qt driver would have given it, as a CSV cell.
static void appendTextCell(QByteArray &out, const SqliteStatement &q, int column)
{
    switch (q.type(column)) {
    case SQLITE_NULL:
        return;
    case SQLITE_FLOAT:
        SituationCsv::appendText(out, QString::number(q.number(column), 'g', QLocale::FloatingPointShortest).toUtf8());
        return;
    default:
        SituationCsv::appendText(out, q.bytes(column));
    }
}

// Plain digits with "." whatever the locale: for scripts, not for people.
static void appendNumberCell(QByteArray &out, const SqliteStatement &q, int column)
{
    if (q.type(column) == SQLITE_NULL)
        return;
    const double v = q.number(column);
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) {
        out.append(QString::number(v, 'f', QLocale::FloatingPointShortest).toLatin1());
        return;
    }
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
    if (r.ec != std::errc())
        out.append(QString::number(v, 'f', QLocale::FloatingPointShortest).toLatin1());
    else
        out.append(buffer, r.ptr - buffer);
}

static int runStockAt(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString data = QStringLiteral("--data"), dateOption = QStringLiteral("--date"),
                  unitsOption = QStringLiteral("--units"), csv = QStringLiteral("--csv");
    QMap<QString, QString> options;
    if (!StockCommandSupport::takeOptions(args, {data, dateOption, unitsOption, csv}, options, err)
        || !options.contains(data) || !options.contains(dateOption) || !options.contains(csv)) {
        err << usage();
        return 2;
    }
    const QDate date = StockCommandSupport::takeDate(options.value(dateOption), err);
    if (!date.isValid())
        return 2;
    const QStringList units = StockCommandSupport::splitUnits(options.value(unitsOption));
    ReportOutputOptions output;
    output.csvPath = options.value(csv);
    Parameters parameters;
    const auto db = StockCommandSupport::openForOutput(options.value(data), output, parameters, err);
    if (!db)
        return 1;
    StockAtDate stock(*db, parameters.lot);
    try {
        SafeFileWriter file(output.csvPath);
        if (!file.open()) {
            err << QStringLiteral("Eroare: ") << file.error() << '\n';
            return 1;
        }
        // The rows go from the grouping straight to the file: nothing is stored.
        QByteArray buffer("Cod_gestiune,Cod_grupa,Cod_articol,Pret_achizitie,Lot,Agent,QIn,QOut\n");
        bool written = true;
        qsizetype rows = 0;
        // The columns of the stock answer: unit, group, article, value, budget, lot, QOut, QIn.
        const bool documents = stock.read(date, units, [&](const SqliteStatement &q) {
            appendTextCell(buffer, q, 0);
            buffer.append(',');
            appendTextCell(buffer, q, 1);
            buffer.append(',');
            appendTextCell(buffer, q, 2);
            buffer.append(',');
            appendNumberCell(buffer, q, 3);
            buffer.append(',');
            appendTextCell(buffer, q, 5);
            buffer.append(',');
            appendTextCell(buffer, q, 4);
            buffer.append(',');
            appendNumberCell(buffer, q, 7);
            buffer.append(',');
            appendNumberCell(buffer, q, 6);
            buffer.append('\n');
            ++rows;
            if (buffer.size() >= (1 << 16)) {
                written = file.write(buffer) == buffer.size() && written;
                buffer.clear();
            }
        });
        if (!documents) {
            file.discard();
            err << StockAtDate::noDocumentsText() << '\n';
            return 1;
        }
        written = file.write(buffer) == buffer.size() && written;
        if (!file.commit() || !written) {
            err << QStringLiteral("Eroare: ") << file.error() << '\n';
            return 1;
        }
        out << QStringLiteral("%1 randuri scrise in %2\n").arg(rows).arg(options.value(csv));
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        return 1;
    }
    return 0;
}

CliCommand stockAtCommand()
{
    return {QStringLiteral("stock-at"), QStringLiteral("--data DIR --date AAAA-LL-ZZ [--units A1,B2] --csv FISIER"),
            QStringLiteral("stocul la o data, pe chei de stoc, in format CSV"), runStockAt};
}
