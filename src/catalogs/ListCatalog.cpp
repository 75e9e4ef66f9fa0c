#include "catalogs/ListCatalog.h"

#include "app/AccountCode.h"
#include "app/Parameters.h"

ListCatalog ListCatalog::managementUnits()
{
    ListCatalog c;
    c.table = QStringLiteral("Gest.db");
    c.keyField = QStringLiteral("Cod");
    c.nameField = QStringLiteral("Denumire");
    c.caption = QStringLiteral("Catalog de gestiuni");
    c.helpContext = 105;
    c.columns = {{QStringLiteral("Cod"), QStringLiteral("Cod gestiune"), 4},
                 {QStringLiteral("Denumire"), QStringLiteral("Denumire"), 30},
                 {QStringLiteral("Gestionar"), QStringLiteral("Gestionar"), 100}};
    c.emptyWarning = QStringLiteral("Adaugati mai întîi articole în catalog!");
    c.keyMessage = QStringLiteral("Completati codul gestiunii!");
    c.canSelect = true;
    return c;
}

ListCatalog ListCatalog::budgets(const Parameters &parameters)
{
    ListCatalog c;
    c.table = QStringLiteral("Client.DB");
    c.keyField = QStringLiteral("Cod_client");
    c.nameField = QStringLiteral("Nume_client");
    c.caption = QStringLiteral("Catalog bugete");
    c.helpContext = 130;
    c.columns = {{QStringLiteral("Cod_client"), QStringLiteral("Cod buget"), 30},
                 {QStringLiteral("Nume_client"), QStringLiteral("Denumire"), 255}};
    c.emptyWarning = QStringLiteral("Adaugati mai întîi articole în catalog!");
    c.rowCheckMessage = QStringLiteral("Completati toate datele inregistrarii!");
    c.accountField = QStringLiteral("Cont");
    c.defaultAccount = parameters.cCln;
    c.layoutName = QStringLiteral("clnlook");
    c.refreshes = true;
    c.checksOnClose = true;
    return c;
}

ListCatalog ListCatalog::suppliers(const Parameters &parameters)
{
    ListCatalog c;
    c.table = QStringLiteral("Furn.DB");
    c.keyField = QStringLiteral("Cod_furnizor");
    c.nameField = QStringLiteral("Nume_furnizor");
    c.caption = QStringLiteral("Catalog furnizori");
    c.columns = {{QStringLiteral("Cod_furnizor"), QStringLiteral("Cod furnizor"), 30},
                 {QStringLiteral("Nume_furnizor"), QStringLiteral("Nume furnizor"), 255},
                 {QStringLiteral("Cont_creditor"), QStringLiteral("Cont contabil"), 20},
                 {QStringLiteral("Adresa"), QStringLiteral("Adresa"), 30},
                 {QStringLiteral("Banca"), QStringLiteral("Banca"), 15},
                 {QStringLiteral("Cont_bancar"), QStringLiteral("Cont bancar"), 60},
                 {QStringLiteral("ORC"), QStringLiteral("ORC"), 20},
                 {QStringLiteral("Tel"), QStringLiteral("Telefon"), 12},
                 {QStringLiteral("Fax"), QStringLiteral("Fax"), 12},
                 {QStringLiteral("Cod_fiscal"), QStringLiteral("Cod_fiscal"), 15}};
    c.emptyWarning = QStringLiteral("Adaugati furnizori în catalog!");
    c.rowCheckMessage = QStringLiteral("Completati cel putin codul si denumirea furnizorului!");
    c.accountField = QStringLiteral("Cont_creditor");
    c.defaultAccount = parameters.cFurn;
    c.layoutName = QStringLiteral("furnlook");
    c.refreshes = true;
    c.checksOnClose = true;
    return c;
}

QString ListCatalog::accountMessage()
{
    return QStringLiteral("Introduceti simbolul contului în format 999(9).99(9).99(9) !");
}

QString ListCatalog::checkAccount(const QVariant &value)
{
    if (value.isNull() || validAccountCode(value.toString()))
        return {};
    return accountMessage();
}

QString ListCatalog::checkRow(const QSqlRecord &record) const
{
    if (rowCheckMessage.isEmpty()) {
        if (!keyMessage.isEmpty() && record.value(keyField).toString().trimmed().isEmpty())
            return keyMessage;
        return {};
    }
    if (record.value(keyField).toString().trimmed().isEmpty()
        || record.value(nameField).toString().trimmed().isEmpty())
        return rowCheckMessage;
    if (!accountField.isEmpty() && !checkAccount(record.value(accountField)).isEmpty())
        return accountMessage();
    return {};
}
