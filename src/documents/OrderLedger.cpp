#include "documents/OrderLedger.h"

#include "db/Database.h"
#include "documents/DocumentRefusal.h"
#include "documents/StockKey.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

QString OrderLedger::tooMuchText()
{
    return QStringLiteral("Nu puteti introduce in stoc o cantitate mai mare de cea comandata");
}

QString OrderLedger::notOrderedText()
{
    return QStringLiteral("Nu puteti introduce produse care nu au fost comandate");
}

void OrderLedger::ChangeOrder(const Key &key, double delta)
{
    if (key.article.isEmpty() || delta == 0)
        return;
    m_db.writeTransaction([&] {
        const QVariantMap bound{{QStringLiteral(":n"), key.order},
                                {QStringLiteral(":g"), StockKey::text(key.group, 8)},
                                {QStringLiteral(":a"), StockKey::text(key.article, 30)},
                                {QStringLiteral(":ag"), StockKey::text(key.agent, 3)}};
        static const QString where = QStringLiteral("\"Contor\" = :n AND \"Cod_grupa\" IS :g AND "
                                                    "\"Cod_articol\" IS :a AND \"Cod_agent\" IS :ag");
        QSqlQuery row = m_db.run(QStringLiteral("SELECT \"Cant_solicitata\", \"Cant_anulata\" FROM \"Stoc_Com\" WHERE ")
                                     + where,
                                 bound);
        if (row.next()) {
            const double requested = row.value(0).toDouble();
            const double cancelled = row.value(1).toDouble();
            row.finish();
            const double left = requested - delta;
            if (std::fabs(left - cancelled) > m_epsilon) {
                if (!(requested - cancelled > delta))
                    throw DocumentRefusal(DocumentRefusal::Kind::Warning, tooMuchText());
                QVariantMap values = bound;
                values.insert(QStringLiteral(":q"), left);
                m_db.run(QStringLiteral("UPDATE \"Stoc_Com\" SET \"Cant_solicitata\" = :q WHERE ") + where, values);
            } else {
                m_db.run(QStringLiteral("DELETE FROM \"Stoc_Com\" WHERE ") + where, bound);
            }
            return;
        }
        row.finish();
        if (delta > 0)
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, notOrderedText());
        QVariantMap values = bound;
        values.insert(QStringLiteral(":q"), -delta);
        values.insert(QStringLiteral(":n2"), key.order);
        m_db.run(QStringLiteral("INSERT INTO \"Stoc_Com\" (\"Contor\", \"Cod_grupa\", \"Cod_articol\", \"Cod_agent\", "
                                "\"Cod_furnizor\", \"Cant_solicitata\", \"Cant_anulata\") "
                                "SELECT :n, :g, :a, :ag, (SELECT \"Cod_Furnizor\" FROM \"Doc_Com\" WHERE \"Contor\" = :n2), "
                                ":q, 0"),
                 values);
    });
}
