#include "documents/EntryComputations.h"

#include "app/AccountCode.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "db/Database.h"
#include "documents/DocumentRefusal.h"
#include "documents/ExchangeRates.h"
#include "documents/InventoryNumbers.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

double EntryComputations::roundHalfEven(double value)
{
    const double snapped = std::round(value * 1e6) / 1e6;
    return std::nearbyint(snapped);
}

double EntryComputations::priceFromNet(double net) const
{
    return net + net * m_params.cfTva / 100;
}

double EntryComputations::lineTva(std::optional<double> price, std::optional<double> quantity, const QString &type,
                                  double ratePercent, bool onlyInvoices, bool roundToUnits)
{
    if (onlyInvoices && type != QLatin1String("FCT") && type != QLatin1String("CF"))
        return 0;
    if (!price || !quantity)
        return 0;
    double tva = roundHalfEven(ratePercent * *price * *quantity) / 100;
    if (roundToUnits)
        tva = roundHalfEven(tva);
    return tva;
}

std::optional<std::pair<QString, QString>> EntryComputations::articleByBarCode(const QString &barCode) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Grupa\", \"Cod\" FROM \"Catalog\" WHERE substr(\"Cod_bare\", 1, length(:b)) = :b "
                                          "ORDER BY \"Cod_bare\" LIMIT 1"),
                           {{QStringLiteral(":b"), barCode}});
    if (!q.next())
        return std::nullopt;
    return std::make_pair(q.value(0).toString(), q.value(1).toString());
}

double EntryComputations::catalogueTvaRate(const QString &group, const QString &article) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Coef_TVA\" FROM \"Catalog\" WHERE \"Grupa\" = :g AND \"Cod\" = :a LIMIT 1"),
                           {{QStringLiteral(":g"), group}, {QStringLiteral(":a"), article}});
    return q.next() ? q.value(0).toDouble() : 0.0;
}

double EntryComputations::lineTva(const EntryLine &line, const QString &type) const
{
    return lineTva(line.priceLei, line.quantity, type, catalogueTvaRate(line.group, line.article), m_params.calcTva,
                   m_params.roundTva);
}

std::optional<double> EntryComputations::equivalentPrice(double priceLei, const QDate &documentDate) const
{
    const std::optional<double> rate = ExchangeRates(m_db).rateAt(m_params.cVal, documentDate);
    // A zero rate would give an infinite price: treated as no rate at all.
    if (!rate || *rate == 0)
        return std::nullopt;
    return priceLei / *rate;
}

bool EntryComputations::groupExists(const QString &group) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Grup\" WHERE \"Cod_grupa\" = :c COLLATE RO LIMIT 1"),
                           {{QStringLiteral(":c"), group}});
    return q.next();
}

EntryComputations::DurationRange EntryComputations::durationRange(const QString &group) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT DISTINCT \"DurataMin\", \"DurataMax\" FROM \"Grup\" "
                                          "WHERE \"Cod_grupa\" = :c COLLATE RO ORDER BY \"DurataMin\", \"DurataMax\" LIMIT 1"),
                           {{QStringLiteral(":c"), group}});
    if (!q.next())
        return {};
    return {q.value(0).toDouble(), q.value(1).toDouble()};
}

QString EntryComputations::unknownGroupText(const QString &group)
{
    return QStringLiteral("Codul de clasificare <") + group
        + QStringLiteral("> nu exista în nomenclator! Apasati CTRL-ENTER pentru a alege un cod de clasificare!");
}

void EntryComputations::groupSet(EntryLine &line) const
{
    if (line.group.isEmpty())
        return;
    if (!groupExists(line.group))
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, unknownGroupText(line.group));
    if (!m_params.genCod)
        return;
    line.article = InventoryNumbers(m_db).next(line.group);
    articleSet(line);
}

void EntryComputations::articleSet(EntryLine &line) const
{
    if (line.group.isEmpty() || line.article.isEmpty())
        return;
    line.quantity = 1;
    line.durataTotala = durationRange(line.group).middleMonths();
}

QString EntryComputations::totalDurationRefusal(const DurationRange &range, double months, const NationalFormats &formats)
{
    const double low = range.min * 12;
    const double high = range.max * 12;
    if (months >= low && months <= high)
        return {};
    return QStringLiteral("Atentie! Durata totala de amortizare nu este valida. Introduceti o valoare intre ")
        + formatNumber(low, QString(), formats) + QStringLiteral(" si ") + formatNumber(high, QString(), formats);
}

QString EntryComputations::totalDurationRefusal(const QString &group, double months, const NationalFormats &formats) const
{
    return totalDurationRefusal(durationRange(group), months, formats);
}

QString EntryComputations::remainingDurationRefusal(double remaining, double total, const NationalFormats &formats)
{
    if (remaining <= total)
        return {};
    return QStringLiteral("Atentie! Durata ramasa de amortizare nu este valida. Introduceti o valoare mai mica sau egala cu ")
        + formatNumber(total, QString(), formats);
}

QString EntryComputations::accountText()
{
    return QStringLiteral("Introduceti simbolul contului în format 999(9).99(9).99(9) !");
}

QString EntryComputations::accountRefusal(const QString &account)
{
    if (account.isEmpty() || validAccountCode(account))
        return {};
    return accountText();
}

bool EntryComputations::depreciatedFor(const QString &domain)
{
    return domain != QLatin1String("Public");
}

QString EntryComputations::publicDomainText()
{
    return QStringLiteral("Atentie! Acest mijloc fix apartine domeniului public, asadar nu se amortizeaza!");
}

QString EntryComputations::calcAmortizareRefusal(const QString &domain, bool wanted)
{
    return wanted && !depreciatedFor(domain) ? publicDomainText() : QString();
}

QString EntryComputations::lotBeforeDocumentText()
{
    return QStringLiteral("Data folosinta este mai mica decît data documentului!");
}

QString EntryComputations::lotWarning(const QDate &lot, const QDate &documentDate)
{
    return lot.isValid() && documentDate.isValid() && lot < documentDate ? lotBeforeDocumentText() : QString();
}

EntryComputations::Totals EntryComputations::totals(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COALESCE(SUM(\"Cantitate\" * \"Pret_achizitie_lei\"), 0), "
                                          "COALESCE(SUM(\"TVA\"), 0) FROM \"Item_in\" WHERE \"Contor\" = :c"),
                           {{QStringLiteral(":c"), contor}});
    if (!q.next())
        return {};
    return {q.value(0).toDouble(), q.value(1).toDouble()};
}

QString EntryComputations::totalsText(const Totals &t, const NationalFormats &formats) const
{
    const QString lei = QStringLiteral("#,##0.") + QString(m_params.nrZecimaleLei, QLatin1Char('0'));
    return QStringLiteral("Total: Valoare = ") + formatNumber(t.value, lei, formats) + QStringLiteral("\nTVA = ")
        + formatNumber(t.tva, QStringLiteral("#,##0.00"), formats) + QStringLiteral("\nDocument = ")
        + formatNumber(t.document(), lei, formats);
}
