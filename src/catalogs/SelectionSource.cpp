#include "catalogs/SelectionSource.h"

#include "catalogs/CodeList.h"

QString SelectionSource::defaultLabel()
{
    return QStringLiteral("Pentru a selecta mai multe gestiuni folositi") + QString(24, QLatin1Char(' '))
        + QStringLiteral("mouse-ul si tasta Ctrl");
}

SelectionSource SelectionSource::managementUnits()
{
    SelectionSource s;
    s.label = defaultLabel();
    s.allText = QStringLiteral("Toate gestiunile");
    s.sql = QStringLiteral("SELECT DISTINCT Cod, Denumire FROM \"Gest\" ORDER BY Cod, Denumire");
    s.captions = {QStringLiteral("Cod"), QStringLiteral("Denumire")};
    return s;
}

SelectionSource SelectionSource::budgets()
{
    SelectionSource s;
    s.label = defaultLabel();
    s.allText = QStringLiteral("Toate bugetele");
    s.sql = QStringLiteral("SELECT DISTINCT Cod_client AS Cod, Nume_client AS Denumire FROM \"Client\" "
                           "ORDER BY Cod, Denumire");
    s.captions = {QStringLiteral("Cod"), QStringLiteral("Denumire")};
    s.multiple = false;
    s.result = Result::CurrentBare;
    return s;
}

SelectionSource SelectionSource::suppliers()
{
    SelectionSource s;
    s.label = defaultLabel();
    s.allText = QStringLiteral("Toti furnizorii");
    s.sql = QStringLiteral("SELECT DISTINCT Cod_furnizor AS Cod, Nume_furnizor AS Denumire FROM \"Furn\" "
                           "ORDER BY Cod, Denumire");
    s.captions = {QStringLiteral("Cod"), QStringLiteral("Denumire")};
    return s;
}

SelectionSource SelectionSource::beneficiaries()
{
    SelectionSource s;
    s.caption = QStringLiteral("Selectie beneficiari");
    s.label = defaultLabel();
    s.allText = QStringLiteral("Toti beneficiarii");
    s.cancelText = QStringLiteral("Renunta");
    s.sql = QStringLiteral("SELECT DISTINCT Init, Name FROM \"User\" ORDER BY Init, Name");
    s.captions = {QStringLiteral("Initiale"), QStringLiteral("Nume Agent")};
    s.result = Result::BareOrQuoted;
    return s;
}

SelectionSource SelectionSource::articles()
{
    SelectionSource s;
    s.label = QStringLiteral("Pentru a selecta mai multe articole folositi concomitent mouse-ul si tasta Ctrl");
    s.allText = QStringLiteral("Toate articolele din Catalog");
    s.sql = QStringLiteral(
        "SELECT DISTINCT D.Cod_grupa AS Grupa, D1.Denumire, D.Cod_articol AS Cod, D.Denumire AS Den "
        "FROM \"Item_in\" D, \"Grup\" D1 WHERE (D1.Cod_grupa = D.Cod_grupa) "
        "ORDER BY Grupa, D1.Denumire, Cod, D.Denumire");
    s.captions = {QStringLiteral("Grupa"), QStringLiteral("Denumire grupa"),
                  QStringLiteral("Cod articol"), QStringLiteral("Denumire articol")};
    return s;
}

QString SelectionSource::resultText(bool all, const QStringList &selectedCodes,
                                    const QString &currentCode) const
{
    if (all)
        return {};
    switch (result) {
    case Result::CurrentBare:
        return currentCode;
    case Result::BareOrQuoted:
        return CodeList::bareOrQuoted(selectedCodes);
    case Result::QuotedList:
        break;
    }
    return CodeList::quoted(selectedCodes);
}
