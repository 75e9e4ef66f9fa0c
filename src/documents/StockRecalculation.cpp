#include "documents/StockRecalculation.h"

#include "app/Messages.h"
#include "app/Status.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

QString StockRecalculation::busyText()
{
    return QStringLiteral("Atentie! Stocurile curente nu pot fi actualizate deoarece un alt utilizator le foloseste! "
                          "Asigurati-va ca sinteti singurul utilizator al bazei de date si reluati procedura de "
                          "recalculare a stocurilor!");
}

QString StockRecalculation::doneText()
{
    return QStringLiteral("Recalcularea stocurilor curente s-a efectuat cu succes!");
}

bool StockRecalculation::beginExclusive()
{
    if (m_db.inTransaction())
        throw DbError(QStringLiteral("Recalcularea stocurilor nu poate rula in alta tranzactie."), false);
    QSqlQuery timeout = m_db.run(QStringLiteral("PRAGMA busy_timeout"));
    const int previous = timeout.next() ? timeout.value(0).toInt() : 0;
    timeout.finish();
    m_db.run(QStringLiteral("PRAGMA busy_timeout = %1").arg(m_busyWaitMs));
    QSqlQuery begin(m_db.connection());
    const bool ok = begin.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    m_db.run(QStringLiteral("PRAGMA busy_timeout = %1").arg(previous));
    if (ok)
        return true;
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6), with or without their extended codes.
    const int code = begin.lastError().nativeErrorCode().toInt() & 0xff;
    if (code == 5 || code == 6)
        return false;
    throw DbError(begin.lastError());
}

// The stock key of the lines, empty texts read as NULL like the rows ChangeStock writes.
static QString keyColumns(const char *alias, const char *price)
{
    return QStringLiteral("NULLIF(%1.\"Cod_gestiune\", '') g, NULLIF(%1.\"Cod_grupa\", '') c, "
                          "NULLIF(%1.\"Cod_articol\", '') a, COALESCE(%1.\"%2\", 0) p, NULLIF(%1.\"Lot\", '') l, "
                          "NULLIF(%1.\"Agent\", '') ag")
        .arg(QLatin1String(alias), QLatin1String(price));
}

StockRecalculation::Outcome StockRecalculation::run()
{
    if (!beginExclusive())
        return Outcome::Busy;
    try {
        // One grouping of every entry and exit line whose document exists, straight into
        // the emptied table, in the order of its key.
        Status::show(QStringLiteral("Sterg stocurile curente..."));
        m_db.run(QStringLiteral("DELETE FROM \"Stoc\""));
        Status::show(QStringLiteral("Actualizez stocurile curente..."));
        m_db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                "\"Pret_achizitie\", \"Lot\", \"Agent\", \"Cantitate\", \"Cod_bare\") "
                                "SELECT g, c, a, p, l, ag, SUM(qin) - SUM(qout), MAX(b) FROM ("
                                "SELECT %1, COALESCE(I.\"Cantitate\", 0) qin, 0 qout, NULLIF(I.\"Cod_bare\", '') b "
                                "FROM \"Item_in\" I JOIN \"Doc_in\" D ON D.\"Contor\" = I.\"Contor\" "
                                "WHERE NULLIF(I.\"Cod_articol\", '') IS NOT NULL "
                                "UNION ALL SELECT %2, 0, COALESCE(O.\"Cantitate\", 0), NULL "
                                "FROM \"Item_out\" O JOIN \"Doc_out\" D ON D.\"Contor\" = O.\"Contor\" "
                                "WHERE NULLIF(O.\"Cod_articol\", '') IS NOT NULL) S "
                                "GROUP BY g, c, a, p, l, ag "
                                "HAVING SUM(qin) - SUM(qout) < -:eps OR SUM(qin) - SUM(qout) > :eps "
                                "ORDER BY g, c, a, p, l, ag")
                     .arg(keyColumns("I", "Pret_achizitie_lei"), keyColumns("O", "Pret_achizitie")),
                 {{QStringLiteral(":eps"), m_epsilon}});
        m_db.run(QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery rollback(m_db.connection());
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    Status::show(QStringLiteral("Terminat cu succes..."));
    return Outcome::Done;
}

bool StockRecalculation::run(Messages &messages)
{
    try {
        if (run() == Outcome::Busy) {
            messages.warning(busyText());
            return false;
        }
    } catch (const DbError &e) {
        messages.error(e.userText());
        return false;
    }
    messages.information(doneText());
    return true;
}
