#include "db/SchemaUpgrade.h"

#include "db/Database.h"
#include "db/SchemaReader.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kMain = QLatin1String(Database::dataSchema);

DEF_FIELD chr(const char *name, quint16 size)
{
    return {QString::fromUtf8(name), FieldType::String, size, false};
}
DEF_FIELD typed(const char *name, FieldType type)
{
    return {QString::fromUtf8(name), type, 0, false};
}
DEF_FIELD flt(const char *name) { return typed(name, FieldType::Float); }
DEF_FIELD boolean(const char *name) { return typed(name, FieldType::Boolean); }
DEF_FIELD integer(const char *name) { return typed(name, FieldType::Integer); }
DEF_FIELD date(const char *name) { return typed(name, FieldType::Date); }

QString q(const QString &identifier) { return SqlDialect::quote(identifier); }

const TVTable &definitionOf(const QString &table)
{
    const TVTable *def = TVTables::find(TVTables::all(), table);
    Q_ASSERT(def);
    return *def;
}

} // namespace

SchemaUpgrade::SchemaUpgrade(Database &db, StatusHandler status)
    : m_db(db), m_status(std::move(status))
{
}

void SchemaUpgrade::status(const QString &text)
{
    if (m_status)
        m_status(text);
}

std::optional<TVTable> SchemaUpgrade::read(const QString &table) const
{
    return SchemaReader(m_db).read(TVTable::sqlNameOf(table), kMain);
}

bool SchemaUpgrade::lacks(const QString &table, const QString &field) const
{
    const std::optional<TVTable> actual = read(table);
    return actual && !actual->field(field);
}

void SchemaUpgrade::addColumn(const QString &table, const DEF_FIELD &field)
{
    // The older layouts gave some fields another type than the current definition
    // (`Lot` as text); the current one is used, so that the check accepts the result.
    DEF_FIELD wanted = field;
    if (const DEF_FIELD *defined = definitionOf(table).field(field.name))
        wanted = *defined;
    m_db.run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                 .arg(SqlDialect::qualified(kMain, TVTable::sqlNameOf(table)), q(wanted.name),
                      m_db.dialect().columnType(wanted)));
}

void SchemaUpgrade::rebuild(const QString &table, const QStringList &leading,
                            const QList<DEF_INDEX> &indexes)
{
    const TVTable &def = definitionOf(table);
    const std::optional<TVTable> old = read(table);
    if (!old)
        return;

    QList<DEF_FIELD> fields;
    QStringList copied;
    for (const QString &name : leading) {
        fields << *def.field(name);
        if (old->field(name))
            copied << name;
    }
    // Columns the new layout does not name are carried over: nothing is lost.
    for (const DEF_FIELD &f : old->fields()) {
        bool named = false;
        for (const QString &name : leading)
            named = named || name.compare(f.name, Qt::CaseInsensitive) == 0;
        if (!named) {
            fields << f;
            copied << f.name;
        }
    }

    QList<DEF_INDEX> keyOnly;
    for (const DEF_INDEX &i : indexes)
        if (i.isPrimary())
            keyOnly << i;
    const QString temporary = def.sqlName() + QStringLiteral("New");
    const TVTable fresh(temporary, fields, keyOnly);
    m_db.run(m_db.dialect().dropTable(temporary, kMain));
    for (const QString &sql : m_db.dialect().createTable(fresh, kMain))
        m_db.run(sql);

    QStringList columns;
    for (const QString &c : copied)
        columns << q(c);
    m_db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
                 .arg(SqlDialect::qualified(kMain, temporary), columns.join(QStringLiteral(", ")),
                      SqlDialect::qualified(kMain, def.sqlName())));
    m_db.run(m_db.dialect().dropTable(def.name(), kMain));
    m_db.run(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                 .arg(SqlDialect::qualified(kMain, temporary), q(def.sqlName())));

    const TVTable renamed(def.name(), fields, indexes);
    for (const DEF_INDEX &i : indexes)
        if (!i.isPrimary())
            m_db.run(m_db.dialect().createIndex(renamed, i, kMain));
}

bool SchemaUpgrade::preVersionNeeded() const
{
    if (!SchemaReader(m_db).hasTable(QStringLiteral("Versiune"), kMain))
        return true;
    QSqlQuery query = m_db.run(QStringLiteral("SELECT COUNT(*) FROM %1")
                                   .arg(SqlDialect::qualified(kMain, QStringLiteral("Versiune"))));
    return !query.next() || query.value(0).toInt() == 0;
}

void SchemaUpgrade::upgradeReceipts()
{
    const QString table = QStringLiteral("Ch_agent");
    const std::optional<TVTable> actual = read(table);
    const DEF_FIELD memo = *definitionOf(table).field(QStringLiteral("Comentariu"));
    const DEF_FIELD *comment = actual->field(QStringLiteral("Comentariu"));
    const QString qualified = SqlDialect::qualified(kMain, actual->sqlName());
    if (!comment) {
        addColumn(table, memo);
    } else if (comment->type != FieldType::Memo || comment->size != memo.size) {
        // The older layout dropped the comment and added it again as a memo, which
        // threw the receipts' comments away; they are moved into the memo instead.
        const QString moved = QStringLiteral("Comentariu_memo");
        m_db.run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                     .arg(qualified, q(moved), m_db.dialect().columnType(memo)));
        m_db.run(QStringLiteral("UPDATE %1 SET %2 = %3").arg(qualified, q(moved), q(comment->name)));
        m_db.run(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(qualified, q(comment->name)));
        m_db.run(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                     .arg(qualified, q(moved), q(memo.name)));
    }
    addColumn(table, chr("Emitent", 100));
}

void SchemaUpgrade::dropOldCatalogIndexes()
{
    const std::optional<TVTable> catalog = read(QStringLiteral("Catalog"));
    if (!catalog)
        return;
    bool generic = false;
    for (const DEF_INDEX &i : catalog->indexes())
        generic = generic || i.name.startsWith(QLatin1String("ByGeneric"), Qt::CaseInsensitive);
    if (!generic)
        return;
    // The check rebuilds ByName and ByDescript afterwards, on their current fields.
    const TVTable &def = definitionOf(QStringLiteral("Catalog"));
    for (const char *name : {"ByGeneric1", "ByGeneric2", "ByGeneric3", "ByGeneric4", "ByName",
                             "ByDescript"})
        m_db.run(m_db.dialect().dropIndex(def, QString::fromLatin1(name), kMain));
}

bool SchemaUpgrade::runPreVersion()
{
    const QList<Step> steps{
        {"Acces.Db", "Comenzi", {boolean("Comenzi")}},
        {"Acces.Db", "Comenzi_Emise", {boolean("Comenzi_Emise")}},
        {"Acces.Db", "Comenzi_Neonorate", {boolean("Comenzi_Neonorate")}},
        {"Acces.Db", "Centralizator", {boolean("Centralizator")}},
        {"Acces.Db", "Stoc_Total", {boolean("Stoc_Total")}},
        {"Acces.Db", "Modul_Aux", {boolean("Modul_Aux")}},
        {"Acces.Db", "Op_Arhivare", {boolean("Op_Arhivare")}},
        {"Acces.Db", "Vinz_Zilnice", {boolean("Vinz_Zilnice")}},
        {"Acces.Db", "Vinz_Perioada", {boolean("Vinz_Perioada")}},
        {"Item_out.db", "Lot", {date("Lot")}},
    };

    if (lacks(QStringLiteral("Ch_Agent.Db"), QStringLiteral("Emitent"))) {
        status(QStringLiteral("Se actualizeaza structura fisierului Ch_Agent.Db"));
        upgradeReceipts();
    }
    for (const Step &step : steps) {
        const QString table = QString::fromLatin1(step.table);
        if (!lacks(table, QString::fromLatin1(step.lookedFor)))
            continue;
        status(QStringLiteral("Se actualizeaza structura fisierului ") + table);
        for (const DEF_FIELD &f : step.fields)
            addColumn(table, f);
    }
    bool result = false;
    if (lacks(QStringLiteral("Item_out.db"), QStringLiteral("Agent"))) {
        status(QStringLiteral("Se actualizeaza structura fisierului Item_out.db"));
        addColumn(QStringLiteral("Item_out.db"), chr("Agent", 3));
        result = true;
    }
    if (lacks(QStringLiteral("Item_in.db"), QStringLiteral("Lot"))) {
        status(QStringLiteral("Se actualizeaza structura fisierului Item_in.db"));
        rebuild(QStringLiteral("Item_in.db"),
                {QStringLiteral("Contor"), QStringLiteral("Contor_secundar"),
                 QStringLiteral("Cod_gestiune"), QStringLiteral("Cod_grupa"),
                 QStringLiteral("Cod_articol"), QStringLiteral("Lot"), QStringLiteral("Cantitate"),
                 QStringLiteral("Pret_achizitie_valuta"), QStringLiteral("Valuta"),
                 QStringLiteral("Pret_achizitie_lei"), QStringLiteral("Pret_echiv_USD"),
                 QStringLiteral("TVA"), QStringLiteral("Cont_marfa"),
                 QStringLiteral("Cont_TVA_Intrari"), QStringLiteral("Agent"),
                 QStringLiteral("Contor_Com")},
                definitionOf(QStringLiteral("Item_in")).indexes());
    }
    if (lacks(QStringLiteral("Stoc.db"), QStringLiteral("Lot"))) {
        status(QStringLiteral("Se actualizeaza structura fisierului Stoc.db"));
        rebuild(QStringLiteral("Stoc.db"),
                {QStringLiteral("Cod_gestiune"), QStringLiteral("Cod_grupa"),
                 QStringLiteral("Cod_articol"), QStringLiteral("Pret_achizitie"),
                 QStringLiteral("Lot"), QStringLiteral("Agent"), QStringLiteral("Cantitate")},
                definitionOf(QStringLiteral("Stoc")).indexes());
    }
    dropOldCatalogIndexes();
    return result;
}

void SchemaUpgrade::createPlainTable(const QString &table)
{
    const TVTable &def = definitionOf(table);
    SchemaWriter(m_db).createTable(TVTable(def.name(), def.fields(), {}), kMain);
}

bool SchemaUpgrade::runFieldByField()
{
    const QList<Step> steps{
        {"Grup.db", "Target", {boolean("Target")}},
        {"Counter.db", "NewCounterOffC", {flt("NewCounterOffC")}},
        {"Client.db", "Discount", {flt("Discount")}},
        {"Client.db", "Grila", {integer("Grila")}},
        {"Client.db", "Lock", {boolean("Lock"), flt("Limita_credit")}},
        {"Client.db", "Credit_actual", {flt("Credit_actual"), flt("Rest_credit"), chr("Atentie", 10)}},
        {"Catalog.db", "Stock_minim", {flt("Stock_minim")}},
        {"Grup.db", "Cod_material", {}}, // rebuilt below: the field joins the primary key
        {"Grup.db", "DurataMin", {flt("DurataMin"), flt("DurataMax")}},
        {"Item_in.db", "Denumire", {chr("Denumire", 255), chr("Domeniu", 20), boolean("CalcAmortizare")}},
        {"Item_in.db", "DurataTotala", {flt("DurataTotala"), flt("DurataRamasa"), flt("ValoareAmortizata")}},
        {"Gest.db", "Gestionar", {chr("Gestionar", 100)}},
        {"Catalog.db", "CantReteta", {flt("CantReteta")}, "UPDATE \"Catalog\" SET \"CantReteta\" = 1"},
        {"Item_prof.db", "Lot",
         {chr("Cont_marfa", 20), chr("Cont_cheltuieli", 20), chr("Cont_TVA_Iesiri", 20),
          chr("Cont_accize", 20), flt("Acciza"), chr("Cont_adaos", 20), chr("Cont_venituri", 20),
          date("Lot"), chr("Agent", 3), chr("Cod_bare", 60)}},
        {"Target.db", nullptr, {}},
        {"Serie.db", nullptr, {}},
        {"Item_in.db", "Serii", {boolean("Serii")}},
        {"Catalog.db", "Cod_bare", {chr("Cod_bare", 60)}},
        {"Item_in.db", "Cod_bare", {chr("Cod_bare", 60)}},
        {"Item_out.db", "Cod_bare", {chr("Cod_bare", 60)}},
        {"Stoc.db", "Cod_bare", {chr("Cod_bare", 60)}},
        {"Acces.db", "Retur", {boolean("Retur")},
         "UPDATE \"Acces\" SET \"Retur\" = 1 WHERE \"Niv_acces\" = 0"},
        {"Acces.db", "Grila_discount", {boolean("Grila_discount")},
         "UPDATE \"Acces\" SET \"Grila_discount\" = 1 WHERE \"Niv_acces\" = 0"},
        {"Counter.db", "NewCounterProf", {flt("NewCounterProf")}},
        {"Firmdata.db", "Capital", {flt("Capital")}},
        {"Firmdata.db", "Capital_text", {chr("Capital_text", 100)}},
    };

    bool ran = false;
    for (const Step &step : steps) {
        const QString table = QString::fromLatin1(step.table);
        ran = false;
        if (!step.lookedFor) {
            // Tables that older directories did not have at all, made without index.
            if (SchemaReader(m_db).hasTable(table, kMain))
                continue;
            status(QStringLiteral("Se actualizeaza baza de date !"));
            createPlainTable(table);
            ran = true;
            continue;
        }
        const QString field = QString::fromLatin1(step.lookedFor);
        if (!lacks(table, field))
            continue;
        status(QStringLiteral("Se actualizeaza baza de date !"));
        if (field == QLatin1String("Cod_material")) {
            QStringList leading{field};
            rebuild(table, leading, definitionOf(table).indexes());
        } else {
            for (const DEF_FIELD &f : step.fields)
                addColumn(table, f);
        }
        if (step.update)
            m_db.run(QString::fromUtf8(step.update));
        ran = true;
    }
    return ran;
}

int SchemaUpgrade::repairTransfers()
{
    const std::optional<TVTable> in = read(QStringLiteral("Doc_in"));
    const std::optional<TVTable> out = read(QStringLiteral("Doc_out"));
    for (const char *f : {"Tip", "Explicatie", "Numar"})
        if (!in || !out || !in->field(QLatin1String(f)) || !out->field(QLatin1String(f)))
            return 0;
    QSqlQuery query = m_db.run(QStringLiteral(
        "UPDATE \"Doc_out\" SET \"Explicatie\" = :transfer "
        "WHERE TRIM(COALESCE(\"Explicatie\", '')) = '' "
        "AND EXISTS (SELECT 1 FROM \"Doc_in\" i WHERE i.\"Tip\" = :tip "
        "AND i.\"Explicatie\" = :mark AND i.\"Numar\" = \"Doc_out\".\"Numar\" "
        "AND i.\"Tip\" = \"Doc_out\".\"Tip\")"),
        {{QStringLiteral(":transfer"), QStringLiteral("Transfer")},
         {QStringLiteral(":mark"), QStringLiteral("Transfer")},
         {QStringLiteral(":tip"), QStringLiteral("AE")}});
    return query.numRowsAffected();
}
