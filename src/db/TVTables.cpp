#include "db/TVTables.h"

// Field and index builders that keep the definitions below one line per field.
namespace {

DEF_FIELD str(const char *name, quint16 size)
{
    return {QString::fromUtf8(name), FieldType::String, size, false};
}
DEF_FIELD memo(const char *name, quint16 size)
{
    return {QString::fromUtf8(name), FieldType::Memo, size, false};
}
DEF_FIELD typed(const char *name, FieldType type)
{
    return {QString::fromUtf8(name), type, 0, false};
}
DEF_FIELD flt(const char *name) { return typed(name, FieldType::Float); }
DEF_FIELD sint(const char *name) { return typed(name, FieldType::SmallInt); }
DEF_FIELD integer(const char *name) { return typed(name, FieldType::Integer); }
DEF_FIELD boolean(const char *name) { return typed(name, FieldType::Boolean); }
DEF_FIELD date(const char *name) { return typed(name, FieldType::Date); }
DEF_FIELD autoinc(const char *name) { return typed(name, FieldType::AutoIncrement); }

DEF_INDEX pk(const char *fields)
{
    return {QString(), QString::fromUtf8(fields), IndexOption::Primary | IndexOption::Unique};
}
DEF_INDEX caseInsensitive(const char *name, const char *fields)
{
    return {QString::fromUtf8(name), QString::fromUtf8(fields), IndexOption::CaseInsensitive};
}
DEF_INDEX plain(const char *name, const char *fields)
{
    return {QString::fromUtf8(name), QString::fromUtf8(fields), {}};
}

TVTable table(const QString &name, const QList<DEF_FIELD> &fields, const QList<DEF_INDEX> &indexes)
{
    return TVTable(name, fields, indexes);
}

QList<TVTable> dataTables()
{
    // In the order the start-up check walks them; the numbers are those positions.
    return {
        // 1
        table(QStringLiteral("Versiune.db"),
              {str("Ver", 10)},
              {}),
        // 2
        table(QStringLiteral("Aeser.DB"),
              {flt("Contor"),
               str("Serie", 10),
               flt("Number")},
              {pk("Contor")}),
        // 3
        table(QStringLiteral("Av_in.DB"),
              {flt("Contor"),
               date("Data_inregistrarii"),
               flt("Numar"),
               str("Tip", 3),
               date("Data"),
               str("Furnizor", 30),
               str("Explicatie", 255),
               flt("Contor_fact"),
               str("Agent", 3)},
              {pk("Contor")}),
        // 4
        table(QStringLiteral("Av_out.DB"),
              {flt("Contor"),
               date("Data_inregistrarii"),
               flt("Numar"),
               str("Tip", 3),
               date("Data"),
               str("Client", 30),
               str("Explicatie", 255),
               date("Data_scadenta"),
               flt("Contor_factura"),
               str("Agent", 3)},
              {pk("Contor")}),
        // 5
        table(QStringLiteral("Avit_in.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_gestiune", 4),
               str("Cod_grupa", 8),
               str("Cod_articol", 30),
               flt("Cantitate"),
               flt("Pret_achizitie_valuta"),
               str("Valuta", 3),
               flt("Pret_achizitie_lei"),
               flt("Pret_echiv_USD"),
               flt("TVA"),
               str("Cont_marfa", 20),
               str("Cont_TVA_Intrari", 20)},
              {pk("Contor;Contor_secundar")}),
        // 6
        table(QStringLiteral("Avit_out.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_gestiune", 4),
               str("Cod_grupa", 8),
               str("Cod_articol", 30),
               flt("Cantitate"),
               flt("Pret_achizitie"),
               flt("Pret_vinzare"),
               flt("Pret_vz_echiv_USD"),
               flt("TVA"),
               str("Cont_marfa", 20),
               str("Cont_cheltuieli", 20),
               str("Cont_TVA_Iesiri", 20),
               str("Cont_accize", 20),
               flt("Acciza"),
               str("Cont_adaos", 20),
               str("Cont_venituri", 20)},
              {pk("Contor;Contor_secundar")}),
        // 7
        table(QStringLiteral("Catalog.DB"),
              {str("Grupa", 20),
               str("Cod", 30),
               str("Denumire", 255),
               str("Descriere", 255),
               str("Unitate_masura", 4),
               str("Generic 1", 15),
               str("Generic 2", 15),
               str("Generic 3", 15),
               str("Generic 4", 15),
               flt("Pret_vinzare"),
               str("Moneda", 3),
               str("Cont_marfa", 20),
               str("Cont_cheltuieli", 20),
               str("Cont_TVA_Intrari", 20),
               str("Cont_TVA_Iesiri", 20),
               flt("Coef_TVA"),
               str("Cont_accize", 20),
               flt("Coef_accize"),
               str("Cont_adaos", 20),
               str("Cont_venituri", 20),
               flt("Stock_minim"),
               str("Cod_bare", 60),
               flt("CantReteta"),
               str("Domeniu", 20),
               boolean("CalcAmortizare")},
              {pk("Grupa;Cod"), caseInsensitive("ByName", "Grupa;Denumire"), caseInsensitive("ByDescript", "Grupa;Descriere")}),
        // 8
        table(QStringLiteral("Cfser.DB"),
              {flt("Contor"),
               str("Serie", 10),
               flt("Number")},
              {pk("Contor")}),
        // 9
        table(QStringLiteral("Ch_agent.DB"),
              {str("Agent", 3),
               date("Data"),
               str("Tip", 10),
               str("Chitanta", 10),
               flt("Suma"),
               memo("Comentariu", 10),
               str("Emitent", 100)},
              {pk("Agent;Data;Tip;Chitanta")}),
        // 10
        table(QStringLiteral("Chser.db"),
              {flt("Contor"),
               date("Data_platii"),
               flt("Numar")},
              {pk("Contor;Data_platii")}),
        // 11
        table(QStringLiteral("Client.DB"),
              {str("Cod_client", 30),
               str("Nume_client", 255),
               str("Adresa", 30),
               str("Judetul", 15),
               str("Banca", 255),
               str("Cont_bancar", 60),
               str("Cod_fiscal", 15),
               str("ORC", 20),
               str("Tel", 12),
               str("Fax", 12),
               str("Cont", 20),
               flt("Discount"),
               integer("Grila"),
               boolean("Lock"),
               flt("Limita_credit"),
               flt("Credit_actual"),
               flt("Rest_credit"),
               str("Atentie", 10)},
              {pk("Cod_client"), caseInsensitive("ByName", "Nume_client")}),
        // 12
        table(QStringLiteral("Clnpay.DB"),
              {str("Cod_client", 30),
               flt("Contor_document"),
               date("Data_platii"),
               autoinc("Nrcrt"),
               flt("Suma"),
               str("Comentariu", 255),
               str("Cont_contabil", 20)},
              {pk("Cod_client;Contor_document;Data_platii;Nrcrt")}),
        // 13
        table(QStringLiteral("Counter.DB"),
              {flt("NewCounterIn"),
               flt("NewCounterOut"),
               flt("NewCounterOff"),
               flt("NewCounterCom"),
               flt("NewCounterOffC"),
               flt("NewCounterProf")},
              {}),
        // 14
        table(QStringLiteral("Curs.db"),
              {str("Valuta", 3),
               date("Data"),
               flt("Curs")},
              {pk("Valuta;Data")}),
        // 15
        table(QStringLiteral("Doc_Com.Db"),
              {flt("Contor"),
               date("Data"),
               flt("Numar"),
               str("Cod_Furnizor", 30),
               str("Explicatie", 255)},
              {pk("Contor")}),
        // 16
        table(QStringLiteral("Doc_in.DB"),
              {flt("Contor"),
               date("Data_inregistrarii"),
               flt("Numar"),
               str("Tip", 3),
               date("Data"),
               str("Furnizor", 30),
               str("Explicatie", 255)},
              {pk("Contor"), caseInsensitive("ByDate", "Data_inregistrarii")}),
        // 17
        table(QStringLiteral("Doc_out.DB"),
              {flt("Contor"),
               date("Data_inregistrarii"),
               flt("Numar"),
               str("Tip", 3),
               date("Data"),
               str("Client", 30),
               str("Explicatie", 255),
               date("Data_scadenta"),
               str("Agent", 3)},
              {pk("Contor"), caseInsensitive("ByDate", "Data_inregistrarii")}),
        // 18
        table(QStringLiteral("Doc_prof.DB"),
              {flt("Contor"),
               date("Data_inregistrarii"),
               flt("Numar"),
               date("Data"),
               str("Client", 30),
               str("Explicatie", 255),
               date("Data_scadenta")},
              {pk("Contor"), caseInsensitive("ByDate", "Data_inregistrarii")}),
        // 19
        table(QStringLiteral("Fctser.DB"),
              {flt("Contor"),
               str("Serie", 10),
               flt("Number")},
              {pk("Contor")}),
        // 20
        table(QStringLiteral("Firmdata.DB"),
              {sint("Cod"),
               str("Denumire", 255),
               str("Adresa", 40),
               str("Judet", 20),
               str("Cod fiscal", 20),
               str("ORC", 20),
               str("Banca", 255),
               str("Cont", 60),
               flt("Capital"),
               str("Capital_text", 100)},
              {pk("Cod")}),
        // 21
        table(QStringLiteral("Furn.DB"),
              {str("Cod_furnizor", 30),
               str("Nume_furnizor", 255),
               str("Cont_creditor", 20),
               str("Adresa", 30),
               str("Banca", 15),
               str("Cont_bancar", 60),
               str("Cod_fiscal", 15),
               str("ORC", 20),
               str("Tel", 12),
               str("Fax", 12)},
              {pk("Cod_furnizor"), caseInsensitive("ByName", "Nume_furnizor")}),
        // 22
        table(QStringLiteral("Gest.db"),
              {str("Cod", 4),
               str("Denumire", 30)},
              {pk("Cod"), caseInsensitive("ByName", "Denumire")}),
        // 23
        table(QStringLiteral("Grup.db"),
              {str("Cod_material", 10),
               str("Cod_grupa", 20),
               str("Denumire", 100),
               flt("DurataMin"),
               flt("DurataMax"),
               str("Cont_sint", 20),
               boolean("Target")},
              {pk("Cod_material;Cod_grupa")}),
        // 24
        table(QStringLiteral("Item_Com.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_grupa", 8),
               str("Cod_articol", 30),
               flt("Cantitate_solicitata"),
               str("Cod_Agent", 3)},
              {pk("Contor;Contor_secundar")}),
        // 25
        table(QStringLiteral("Item_in.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_gestiune", 4),
               str("Cod_grupa", 20),
               str("Cod_articol", 30),
               date("Lot"),
               flt("Cantitate"),
               flt("Pret_achizitie_valuta"),
               str("Valuta", 3),
               flt("Pret_achizitie_lei"),
               flt("Pret_echiv_USD"),
               flt("TVA"),
               str("Cont_marfa", 20),
               str("Cont_TVA_Intrari", 20),
               str("Agent", 3),
               flt("Contor_Com"),
               boolean("Serii"),
               str("Cod_bare", 60),
               flt("DurataTotala"),
               flt("DurataRamasa"),
               flt("ValoareAmortizata"),
               str("Denumire", 255),
               str("Domeniu", 20),
               boolean("CalcAmortizare")},
              // ByGestArt: the stock windows look the name of a unit's rows up by these,
              // compared as stored (ByCodArt compares them with the RO collation).
              {pk("Contor;Contor_secundar"), caseInsensitive("ByCodArt", "Cod_grupa;Cod_articol;Pret_achizitie_lei"),
               plain("ByGestArt", "Cod_gestiune;Cod_grupa;Cod_articol;Pret_achizitie_lei")}),
        // 26
        table(QStringLiteral("Item_out.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_gestiune", 4),
               str("Cod_grupa", 20),
               str("Cod_articol", 30),
               flt("Cantitate"),
               flt("Pret_achizitie"),
               flt("Pret_vinzare"),
               flt("Pret_vz_echiv_USD"),
               flt("TVA"),
               str("Cont_marfa", 20),
               str("Cont_cheltuieli", 20),
               str("Cont_TVA_Iesiri", 20),
               str("Cont_accize", 20),
               flt("Acciza"),
               str("Cont_adaos", 20),
               str("Cont_venituri", 20),
               date("Lot"),
               str("Agent", 3),
               str("Cod_bare", 60)},
              {pk("Contor;Contor_secundar"), caseInsensitive("ByCodArt", "Cod_grupa;Cod_articol;Pret_achizitie")}),
        // 27
        table(QStringLiteral("Item_prof.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               str("Cod_gestiune", 4),
               str("Cod_grupa", 8),
               str("Cod_articol", 30),
               flt("Cantitate"),
               flt("Pret_achizitie"),
               flt("Pret_vinzare"),
               flt("Pret_vz_echiv_USD"),
               flt("TVA")},
              {pk("Contor;Contor_secundar"), caseInsensitive("ByCodArt", "Cod_grupa;Cod_articol;Pret_achizitie")}),
        // 28
        table(QStringLiteral("Of_item.DB"),
              {flt("Contor"),
               flt("ContorSec"),
               str("Group", 8),
               str("Art", 30),
               str("Name", 30),
               str("UM", 4),
               str("Descript", 255),
               str("Gen1", 15),
               str("Gen2", 15),
               str("Gen3", 15),
               str("Gen4", 15),
               flt("Price"),
               str("Currency", 3)},
              {pk("Contor;ContorSec")}),
        // 29
        table(QStringLiteral("OfC_item.DB"),
              {flt("Contor"),
               flt("ContorSec"),
               str("Group", 8),
               str("Art", 30),
               str("Name", 30),
               str("UM", 4),
               str("Descript", 255),
               flt("Price"),
               str("Currency", 3),
               flt("Cant"),
               flt("Val")},
              {pk("Contor;ContorSec")}),
        // 30
        table(QStringLiteral("Offer.DB"),
              {flt("Contor"),
               date("Data"),
               str("Client", 30),
               str("Attn", 20),
               str("FilledBy", 20),
               str("Expl", 40),
               memo("Header", 2),
               memo("Footer", 2)},
              {pk("Contor")}),
        // 31
        table(QStringLiteral("OfferC.DB"),
              {flt("Contor"),
               date("Data"),
               str("Client", 30),
               str("Attn", 20),
               str("FilledBy", 20),
               str("Expl", 40),
               memo("Header", 2),
               memo("Footer", 2)},
              {pk("Contor")}),
        // 32
        table(QStringLiteral("Reteta.DB"),
              {str("Cod", 30),
               str("Cod_MatPrim", 30),
               str("Cod_Grupa", 8),
               flt("Cant_MatPrim")},
              {pk("Cod;Cod_MatPrim")}),
        // 33
        table(QStringLiteral("Serie.DB"),
              {flt("Contor"),
               flt("ContorSec"),
               str("Grupa", 8),
               str("Cod_articol", 30),
               flt("SerieFurn"),
               flt("Serie")},
              {}),
        // 34
        table(QStringLiteral("Splpay.DB"),
              {str("Cod_furn", 30),
               flt("Contor_document"),
               date("Data_platii"),
               autoinc("Nrcrt"),
               flt("Suma"),
               str("Comentariu", 255),
               str("Cont_contabil", 20)},
              {pk("Cod_furn;Contor_document;Data_platii;Nrcrt")}),
        // 35
        table(QStringLiteral("Splvpay.DB"),
              {str("Cod_furn", 30),
               flt("Contor_document"),
               str("Valuta", 3),
               date("Data_platii"),
               autoinc("NrCtr"),
               flt("Suma"),
               str("Comentariu", 255),
               str("Cont_contabil", 20)},
              {pk("Cod_furn;Contor_document;Valuta;Data_platii;NrCtr")}),
        // 36
        table(QStringLiteral("Stoc.DB"),
              {str("Cod_gestiune", 4),
               str("Cod_grupa", 20),
               str("Cod_articol", 30),
               flt("Pret_achizitie"),
               date("Lot"),
               str("Agent", 3),
               flt("Cantitate"),
               str("Cod_bare", 60)},
              {pk("Cod_gestiune;Cod_grupa;Cod_articol;Pret_achizitie;Lot;Agent")}),
        // 37
        table(QStringLiteral("Stoc_Com.DB"),
              {flt("Contor"),
               str("Cod_grupa", 8),
               str("Cod_articol", 30),
               str("Cod_agent", 3),
               str("Cod_furnizor", 30),
               flt("Cant_solicitata"),
               flt("Cant_anulata")},
              {pk("Contor;Cod_grupa;Cod_articol;Cod_agent")}),
        // 38
        table(QStringLiteral("Target.DB"),
              {str("Cod_gest", 4),
               str("Cod_grupa", 8),
               integer("An"),
               integer("Luna"),
               flt("Target"),
               str("Moneda", 3)},
              {}),
        // 39
        table(QStringLiteral("User.db"),
              {str("Init", 3),
               str("Name", 20),
               str("Psw", 15),
               sint("Acces")},
              {pk("Init")}),
        // 40
        table(QStringLiteral("Valuta.db"),
              {str("Moneda", 3),
               str("Denumire", 20)},
              {pk("Moneda")}),
        // 41
        table(QStringLiteral("Acces.DB"),
              {sint("Niv_acces"),
               boolean("Doc_in"),
               boolean("Doc_out"),
               boolean("Cat_art"),
               boolean("Cat_cl"),
               boolean("Cat_fur"),
               boolean("Cat_gest"),
               boolean("Date_firma"),
               boolean("Utilizatori"),
               boolean("Stoc_crt"),
               boolean("Stoc_init"),
               boolean("Fact_neinc"),
               boolean("Fact_neac"),
               boolean("Oferta"),
               boolean("Intrari"),
               boolean("Iesiri"),
               boolean("Intr_valuta"),
               boolean("Ies_valuta"),
               boolean("Jurnale"),
               boolean("Note_contabile"),
               boolean("Balanta"),
               boolean("Balanta_verif"),
               boolean("Incasari"),
               boolean("Plati_Lei"),
               boolean("Plati_Valuta"),
               boolean("Stoc_Lei"),
               boolean("Stoc_Valuta"),
               boolean("Arhivare"),
               boolean("Restaurare"),
               boolean("Recalc_stoc"),
               boolean("Valori_implicite"),
               boolean("Interval_actualizare"),
               boolean("Consolidare_In"),
               boolean("Consolidare_Out"),
               boolean("Intr_Agenti"),
               boolean("Stoc_Agenti"),
               boolean("Comenzi"),
               boolean("Comenzi_Emise"),
               boolean("Comenzi_Neonorate"),
               boolean("Centralizator"),
               boolean("Stoc_Total"),
               boolean("Modul_Aux"),
               boolean("Op_Arhivare"),
               boolean("Vinz_Zilnice"),
               boolean("Vinz_Perioada"),
               boolean("Retur"),
               boolean("Grila_discount")},
              {pk("Niv_acces")}),
        // 42
        table(QStringLiteral("item_grila.DB"),
              {integer("Grila"),
               str("Cod_grupa", 8),
               flt("Discount")},
              {pk("Grila;Cod_grupa")}),
        // 43
        table(QStringLiteral("grila.DB"),
              {integer("Grila"),
               str("Nume_grila", 30)},
              {pk("Grila")}),
        // 44
        table(QStringLiteral("Materiale.db"),
              {str("Cod_material", 10),
               str("Denumire", 100),
               str("CONT_SINT", 20)},
              {pk("Cod_material")}),
        // 45
        table(QStringLiteral("ValAlocatie.DB"),
              {flt("Cod"),
               date("Data"),
               flt("Valoare"),
               date("DataSf")},
              {pk("Cod;Data")}),
        // 46
        table(QStringLiteral("Alocatie.DB"),
              {flt("Contor"),
               flt("Contor_secundar"),
               flt("CodAlocatie"),
               flt("NrPersoane")},
              {pk("Contor;Contor_secundar;CodAlocatie"), plain("CodAlocatie", "CodAlocatie")}),
        // 47
        table(QStringLiteral("TipAlocatie.DB"),
              {flt("Cod"),
               str("Denumire", 100)},
              {pk("Cod")})
    };
}

// `Gest.db`.`Gestionar` and the accounts, `Lot`, `Agent` and `Cod_bare` of `Item_prof.DB`
// are added by the field upgrade after creation, so they are not part of the definitions
// above; the check tolerates them.

} // namespace

const QList<TVTable> &TVTables::all()
{
    static const QList<TVTable> tables = dataTables();
    return tables;
}

const TVTable &TVTables::answTmp()
{
    static const TVTable table(
        QStringLiteral("ANSW_TMP.DB"),
        {str("Cod_Gestiune", 4), str("Cod_grupa", 20), str("Cod_articol", 30),
         flt("Pret_achizitie"), date("Lot"), flt("QIn"), flt("QOut"), str("Denumire", 255),
         flt("DurataTotala"), flt("DurataRamasa"), flt("ValoareAmortizata"), date("Data"),
         flt("Contor"), str("Domeniu", 20), boolean("CalcAmortizare"), flt("Cantitate"),
         flt("Valoare"), flt("VVal"), flt("DifVal"), flt("AmortizareLunara"),
         flt("AmortizareCalculata"), flt("ValoareRamasa"), flt("DurataRamasaActualizata")},
        {pk("Cod_Gestiune;Cod_grupa;Cod_articol")});
    return table;
}

TVTable TVTables::answSt(bool withLots)
{
    // The budget belongs to the stock key: without `Agent` two budgets' stock of one
    // asset would merge into one row.
    return TVTable(QStringLiteral("ANSW_ST"),
                   {str("Cod_gestiune", 4), str("Cod_grupa", 20), str("Cod_articol", 30),
                    flt("Pret_achizitie"), str("Agent", 3), date("Lot"), flt("QOut"), flt("QIn")},
                   {withLots ? pk("Cod_gestiune;Cod_grupa;Cod_articol;Pret_achizitie;Agent;Lot")
                             : pk("Cod_gestiune;Cod_grupa;Cod_articol;Pret_achizitie;Agent")});
}

const QList<TVTable> &TVTables::privateTables()
{
    static const QList<TVTable> tables{answTmp(), answSt(true)};
    return tables;
}

const TVTable *TVTables::find(const QList<TVTable> &tables, const QString &name)
{
    for (const TVTable &t : tables)
        if (t.matchesName(name))
            return &t;
    return nullptr;
}

const TVTable *TVTables::find(const QString &name)
{
    if (const TVTable *t = find(all(), name))
        return t;
    return find(privateTables(), name);
}
