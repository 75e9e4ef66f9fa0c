#include "printing/TestReport.h"

#include "app/NationalFormats.h"

namespace TestReport {

ReportDefinition definition(const QDate &printed)
{
    ReportDefinition d;
    d.title = QStringLiteral("Raport de proba");
    d.companyLines = {QStringLiteral("Întreprinderea Școlară Țară SA"),
                      QStringLiteral("Cod fiscal: RO1234567"),
                      QStringLiteral("Adresa: Str. Ștefan cel Mare 1, Iași")};
    d.heading = QStringLiteral("Lista mijloacelor fixe (proba de listare)");
    d.subheadings = {QStringLiteral("la data %1").arg(NationalFormats::current().formatDate(printed))};
    d.pageHeaderText = [](const ReportRow &r) {
        return QStringLiteral("Gestiunea: %1").arg(r.value(UnitName).toString());
    };
    d.columns = {
        {QStringLiteral("Nr.\ncrt."), ReportColumn::RunningNumber, 9, Qt::AlignRight, {}, false,
         QStringLiteral("Nr_crt")},
        {QStringLiteral("Numar de inventar"), Inventory, 22, Qt::AlignLeft, {}, false,
         QStringLiteral("Cod_articol")},
        {QStringLiteral("Denumire produs"), Name, 60, Qt::AlignLeft, {}, false, QStringLiteral("Denumire")},
        {QStringLiteral("Data folosinta"), InUse, 18, Qt::AlignHCenter, {}, false, QStringLiteral("Lot")},
        {QStringLiteral("Valoare de inventar"), Value, 25, Qt::AlignRight, QStringLiteral("#,##0.00"), true,
         QStringLiteral("Valoare")},
        {QStringLiteral("Amortizare lunara"), Monthly, 22, Qt::AlignRight, QStringLiteral("#,##0.00"), true,
         QStringLiteral("AmortizareLunara")},
        {QStringLiteral("Valoarea ramasa"), Remaining, 25, Qt::AlignRight, QStringLiteral("#,##0.00"), true,
         QStringLiteral("ValoareRamasa")},
    };
    ReportGroup unit;
    unit.keyField = Unit;
    unit.newPage = true;
    unit.header = [](const ReportRow &r) {
        return QStringLiteral("Gestiunea: %1 %2").arg(r.value(Unit).toString(), r.value(UnitName).toString());
    };
    unit.footer = [](const ReportRow &r) {
        return QStringLiteral("Total pe gestiunea: %1").arg(r.value(Unit).toString());
    };
    ReportGroup group;
    group.keyField = Group;
    group.restartNumbering = true;
    group.header = [](const ReportRow &r) {
        return QStringLiteral("Grupa : %1 %2").arg(r.value(Group).toString(), r.value(GroupName).toString());
    };
    group.footer = [](const ReportRow &r) {
        return QStringLiteral("Total pe grupa : %1").arg(r.value(Group).toString());
    };
    d.groups = {unit, group};
    d.summaryCaption = QStringLiteral("Total general");
    d.footerLeft = QStringLiteral("Data listarii: %1").arg(NationalFormats::current().formatDate(printed));
    d.pageNumberText = QStringLiteral("Pagina %1");
    return d;
}

QVector<ReportRow> rows(int units, int groupsPerUnit, int rowsPerGroup)
{
    static const QStringList names = {
        QStringLiteral("Mașină de găurit în coordonate"), QStringLiteral("Autoturism Dacia Logan"),
        QStringLiteral("Calculator și imprimantă"), QStringLiteral("Strung paralel SN 400"),
        QStringLiteral("Țesătorie automată"), QStringLiteral("Încărcător frontal"),
        QStringLiteral("Dulap metalic ÎȘ"), QStringLiteral("Aparat de aer condiționat")};
    static const QStringList unitNames = {QStringLiteral("Atelier mecanic"), QStringLiteral("Depozit central"),
                                          QStringLiteral("Secția Țesătorie"), QStringLiteral("Birouri")};
    static const QStringList groupNames = {QStringLiteral("Mașini și utilaje"),
                                           QStringLiteral("Mijloace de transport"),
                                           QStringLiteral("Aparatură birotică"),
                                           QStringLiteral("Mobilier")};
    QVector<ReportRow> out;
    int serial = 0;
    for (int u = 0; u < units; ++u)
        for (int g = 0; g < groupsPerUnit; ++g)
            for (int r = 0; r < rowsPerGroup; ++r) {
                ++serial;
                const qint64 cents = 100000 + qint64(serial) * 12345 + (serial % 7) * 100000000LL;
                const double value = cents / 100.0;
                const double monthly = (cents / 60) / 100.0;
                const double remaining = (cents - (cents / 60) * (serial % 40)) / 100.0;
                out.append({QStringLiteral("G%1").arg(u + 1, 2, 10, QLatin1Char('0')),
                            unitNames[u % unitNames.size()],
                            QStringLiteral("2.%1.%2").arg(g + 1).arg(u + 1),
                            groupNames[g % groupNames.size()],
                            QStringLiteral("INV%1").arg(serial, 6, 10, QLatin1Char('0')),
                            names[serial % names.size()],
                            QDate(2015 + serial % 8, 1 + serial % 12, 1 + serial % 28),
                            value, monthly, remaining});
            }
    return out;
}

} // namespace TestReport
