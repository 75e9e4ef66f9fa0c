#include "cli/RecalcCommand.h"

#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "documents/StockRecalculation.h"

static int runRecalc(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QMap<QString, QString> options;
    if (!StockCommandSupport::takeOptions(args, {QStringLiteral("--data")}, options, err)
        || !options.contains(QStringLiteral("--data"))) {
        err << QStringLiteral("Utilizare: tessaro recalc --data DIR\n");
        return 2;
    }
    Parameters parameters;
    const auto db = StockCommandSupport::open(options.value(QStringLiteral("--data")), parameters, err,
                                              StockRecalculation::busyText());
    if (!db)
        return 1;
    try {
        if (StockRecalculation(*db, parameters.epsilon).run() == StockRecalculation::Outcome::Busy) {
            err << StockRecalculation::busyText() << '\n';
            return 1;
        }
    } catch (const DbError &e) {
        // The other recalculation may take the lock between the two checks.
        err << (e.isBusy() ? StockRecalculation::busyText() : QStringLiteral("Eroare: ") + e.userText()) << '\n';
        return 1;
    }
    out << StockRecalculation::doneText() << '\n';
    return 0;
}

CliCommand recalcCommand()
{
    return {QStringLiteral("recalc"), QStringLiteral("--data DIR"),
            QStringLiteral("recalculeaza stocurile curente din toate documentele"), runRecalc};
}
