#include "cli/StockAtCommand.h"

#include "app/SafeFileWriter.h"
#include "cli/ReportOutput.h"
#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "documents/StockAtDate.h"
#include "printing/CsvOutput.h"

#include <QDate>
#include <QLocale>
#include <QSqlQuery>
#include <QVariant>

static QString usage()
{
    return QStringLiteral("Utilizare: tessaro stock-at --data DIR --date AAAA-LL-ZZ [--units A1,B2] --csv FISIER\n");
}

static QString csvText(const QVariant &value)
{
    return CsvOutput::text(value.toString());
}

static QString csvNumber(const QVariant &value)
{
    if (value.isNull())
        return QString();
    // Plain digits with "." whatever the locale: for scripts, not for people.
    return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
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
    output.dataDirectory = StockCommandSupport::directoryOf(options.value(data));
    if (!ReportOutput::checkTargets(output, err))
        return 1;

    Parameters parameters;
    const auto db = StockCommandSupport::open(options.value(data), parameters, err);
    if (!db)
        return 1;
    StockAtDate stock(*db, parameters.lot);
    try {
        if (!stock.build(date, units)) {
            err << StockAtDate::noDocumentsText() << '\n';
            return 1;
        }
        SafeFileWriter file(output.csvPath);
        if (!file.open()) {
            err << QStringLiteral("Eroare: ") << file.error() << '\n';
            stock.drop();
            return 1;
        }
        QTextStream text(&file);
        text.setEncoding(QStringConverter::Utf8);
        text << "Cod_gestiune,Cod_grupa,Cod_articol,Pret_achizitie,Lot,Agent,QIn,QOut\n";
        QSqlQuery q = db->run(QStringLiteral("SELECT \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", "
                                             "\"Lot\", \"Agent\", \"QIn\", \"QOut\" FROM \"PVL_PRIV\".\"ANSW_ST\" "
                                             "ORDER BY 1, 2, 3, 4, 5, 6"));
        qsizetype rows = 0;
        while (q.next()) {
            text << csvText(q.value(0)) << ',' << csvText(q.value(1)) << ',' << csvText(q.value(2)) << ','
                 << csvNumber(q.value(3)) << ',' << csvText(q.value(4)) << ',' << csvText(q.value(5)) << ','
                 << csvNumber(q.value(6)) << ',' << csvNumber(q.value(7)) << '\n';
            ++rows;
        }
        q.finish();
        stock.drop();
        text.flush();
        if (!file.commit()) {
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
