#include "printing/OrganisationRecord.h"

#include "db/Database.h"

#include <QSqlQuery>

OrganisationRecord OrganisationRecord::load(Database &db, int firmNo)
{
    OrganisationRecord r;
    QSqlQuery q = db.run(QStringLiteral("SELECT \"Denumire\", \"Adresa\", \"Judet\", \"Cod fiscal\", \"ORC\", \"Banca\", "
                                        "\"Cont\" FROM \"Firmdata\" WHERE \"Cod\" = :FirmNo"),
                         {{QStringLiteral(":FirmNo"), firmNo}});
    if (q.next()) {
        r.name = q.value(0).toString();
        r.address = q.value(1).toString();
        r.county = q.value(2).toString();
        r.fiscalCode = q.value(3).toString();
        r.orc = q.value(4).toString();
        r.bank = q.value(5).toString();
        r.account = q.value(6).toString();
    }
    return r;
}

QStringList OrganisationRecord::identificationLines() const
{
    return {name,
            QStringLiteral("O.R.C.: %1").arg(orc),
            QStringLiteral("Cod fiscal: %1").arg(fiscalCode),
            QStringLiteral("Localitatea: %1").arg(address),
            QStringLiteral("Judetul: %1").arg(county),
            QStringLiteral("Contul: %1").arg(account),
            QStringLiteral("Banca: %1").arg(bank)};
}
