#include "cli/ReceptionNoteCsv.h"

#include "db/Database.h"
#include "documents/ReceptionNote.h"

#include <QSqlQuery>

namespace {

enum Field { Unit, Group, Article, Name, Quantity, Price, Value, Tva, FieldCount };

ReportColumn column(const char *name, int field)
{
    ReportColumn c = ReportColumn::make(QString::fromLatin1(name), field, 10);
    c.csvName = c.caption;
    return c;
}

} // namespace

namespace ReceptionNoteCsv {

ReportDefinition definition()
{
    ReportDefinition d;
    d.title = ReceptionNote::title();
    d.columns = {column("Cod_gestiune", Unit), column("Cod_grupa", Group),
                 column("Cod_articol", Article), column("Denumire", Name),
                 column("Cantitate", Quantity), column("Pret_achizitie_lei", Price),
                 column("Valoare", Value), column("TVA", Tva)};
    return d;
}

QVector<ReportRow> rows(Database &db, const ReceptionNote &note)
{
    // The note reads its lines in line-number order; the keys come in the same order.
    QSqlQuery q = db.run(QStringLiteral("SELECT \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\" FROM \"Item_in\" "
                                        "WHERE \"Contor\" = :Counter ORDER BY \"Contor_secundar\""),
                         {{QStringLiteral(":Counter"), note.header().contor}});
    QVector<ReportRow> out;
    for (const ReportRow &printed : note.rows()) {
        ReportRow row(FieldCount);
        if (q.next() && q.value(2).toString() == printed[ReceptionNote::Article].toString()) {
            row[Unit] = q.value(0).toString();
            row[Group] = q.value(1).toString();
        }
        row[Article] = printed[ReceptionNote::Article];
        row[Name] = printed[ReceptionNote::Name];
        row[Quantity] = printed[ReceptionNote::Quantity];
        row[Price] = printed[ReceptionNote::Price];
        row[Value] = printed[ReceptionNote::Value];
        row[Tva] = printed[ReceptionNote::Tva];
        out.append(row);
    }
    return out;
}

} // namespace ReceptionNoteCsv
