#include "reports/FixedAssetCard.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "reports/DepreciationRule.h"

#include <QSqlQuery>

#include <cmath>

namespace {

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

// Months already depreciated at entry on the straight-line amount of the whole duration.
long double monthsAtEntry(double price, double durataTotala, double valoareAmortizata)
{
    const long double perMonth = (long double)price / durataTotala;
    if (valoareAmortizata == 0 || perMonth == 0 || !std::isfinite(perMonth))
        return 0;
    const long double months = valoareAmortizata / perMonth;
    return std::isfinite(months) ? months : 0;
}

bool usableDuration(double durataTotala)
{
    return std::isfinite(durataTotala) && durataTotala > 0;
}

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

QString FixedAssetCard::shareText() const
{
    if (!share)
        return QString();
    return formatNumber(*share, QStringLiteral("0.##")) + QStringLiteral(" %");
}

namespace FixedAssetCards {

QString locatingError()
{
    return QStringLiteral("Eroare la localizarea mijlocului fix. Reluati operatiunea de listare a fisei!");
}

std::optional<EntryLineKey> lineOfArticle(Database &db, const QString &article)
{
    QSqlQuery q = db.run(
        QStringLiteral("SELECT I.\"Contor\", I.\"Contor_secundar\" FROM \"Item_in\" I WHERE EXISTS (SELECT 1 FROM \"Stoc\" S "
                       "WHERE S.\"Cod_articol\" = :Art AND S.\"Cod_gestiune\" = I.\"Cod_gestiune\" "
                       "AND S.\"Cod_grupa\" = I.\"Cod_grupa\" AND S.\"Cod_articol\" = I.\"Cod_articol\") "
                       "ORDER BY I.\"Contor\", I.\"Contor_secundar\" LIMIT 1"),
        {{QStringLiteral(":Art"), article}});
    if (!q.next())
        return std::nullopt;
    return EntryLineKey{q.value(0).toDouble(), q.value(1).toDouble()};
}

QVector<EntryLineKey> linesOfDocument(Database &db, double contor)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT \"Contor\", \"Contor_secundar\" FROM \"Item_in\" WHERE \"Contor\" = :Contor "
                                        "ORDER BY \"Contor_secundar\""),
                         {{QStringLiteral(":Contor"), contor}});
    QVector<EntryLineKey> keys;
    while (q.next())
        keys.append({q.value(0).toDouble(), q.value(1).toDouble()});
    return keys;
}

std::optional<std::pair<int, int>> fullDepreciation(double price, double durataTotala, double valoareAmortizata,
                                                    const QDate &lot)
{
    if (!lot.isValid() || !usableDuration(durataTotala))
        return std::nullopt;
    const qint64 k = qint64(DepreciationRule::roundHalfEven(monthsAtEntry(price, durataTotala, valoareAmortizata)));
    // A duration of 12.5 months ends in the 13th month: the month begun counts.
    const qint64 d = qint64(std::ceil(durataTotala));
    const qint64 b = d + lot.month() - k;
    // Floor division, so that a line depreciated at entry beyond its duration still
    // gives a real month (before the date of putting into use) rather than month -1.
    qint64 year = lot.year() + floorDiv(b, 12);
    qint64 month = b - floorDiv(b, 12) * 12;
    if (month == 0) {
        year -= 1;
        month = 12;
    }
    return std::pair<int, int>(int(year), int(month));
}

std::optional<double> durationShare(double price, double durataTotala, double valoareAmortizata, const QDate &lot,
                                    const QDate &date)
{
    if (!lot.isValid() || !date.isValid() || !usableDuration(durataTotala))
        return std::nullopt;
    const long double h = (long double)date.year() * 12 + date.month();
    const long double g = (long double)lot.year() * 12 + lot.month() - monthsAtEntry(price, durataTotala, valoareAmortizata);
    if (g + durataTotala < h)
        return 100.0;
    if (g <= h)
        return DepreciationRule::roundToCents((h - g) * 100.0L / durataTotala);
    return 0.0;
}

std::optional<FixedAssetCard> load(Database &db, const EntryLineKey &key, const QDate &date)
{
    QSqlQuery q = db.run(
        QStringLiteral("SELECT I.\"Cod_grupa\", I.\"Cod_articol\", I.\"Denumire\", I.\"Lot\", I.\"Cantitate\", "
                       "I.\"Pret_achizitie_lei\", I.\"TVA\", I.\"DurataTotala\", I.\"DurataRamasa\", I.\"ValoareAmortizata\", "
                       "I.\"CalcAmortizare\", D.\"Contor\", D.\"Numar\", D.\"Tip\", D.\"Data\", D.\"Explicatie\", "
                       "(SELECT G.\"Cod_material\" FROM \"Grup\" G WHERE G.\"Cod_grupa\" = I.\"Cod_grupa\" "
                       "ORDER BY G.\"Cod_material\" LIMIT 1), "
                       "(SELECT (G.\"DurataMin\" + G.\"DurataMax\") / 2 FROM \"Grup\" G WHERE G.\"Cod_grupa\" = I.\"Cod_grupa\" "
                       "ORDER BY G.\"Cod_material\" LIMIT 1) "
                       "FROM \"Item_in\" I LEFT JOIN \"Doc_in\" D ON D.\"Contor\" = I.\"Contor\" "
                       "WHERE I.\"Contor\" = :Contor AND I.\"Contor_secundar\" = :Sec"),
        {{QStringLiteral(":Contor"), key.contor}, {QStringLiteral(":Sec"), key.contorSecundar}});
    if (!q.next())
        return std::nullopt;

    FixedAssetCard card;
    card.key = key;
    card.date = date;
    card.classification = q.value(0).toString();
    card.article = q.value(1).toString();
    card.name = q.value(2).toString();
    card.lot = isoDate(q.value(3));
    card.quantity = q.value(4).toDouble();
    card.price = q.value(5).toDouble();
    card.group = q.value(16).toString();
    const double durataTotala = q.value(7).toDouble();
    const double valoareAmortizata = q.value(9).toDouble();
    // An empty flag is false, as the situations read it.
    card.depreciated = q.value(10).toBool();

    const bool initialStock = key.contor == -1.0;
    const bool documentFound = !q.value(11).isNull();
    const QDate documentDate = isoDate(q.value(14));
    const NationalFormats &formats = NationalFormats::current();
    if (documentFound && !initialStock) {
        const QString number = q.value(12).isNull() ? QString() : formatNumber(q.value(12).toDouble(), QString());
        card.provenance = QStringList{q.value(13).toString().trimmed(), number, formats.formatDate(documentDate)}.join(
            QStringLiteral(", "));
        const QString explanation = q.value(15).toString();
        if (!explanation.trimmed().isEmpty()) {
            card.hasMovement = true;
            card.movementDocument = number + QLatin1Char('/') + formats.formatDate(documentDate);
            card.movementText = explanation;
        }
    }

    DepreciationRule::Input in;
    in.QIn = card.quantity;
    in.Pret_achizitie = card.price;
    in.Lot = card.lot;
    in.Data = documentDate;
    in.Contor = key.contor;
    in.DurataRamasa = q.value(8).toDouble();
    in.ValoareAmortizata = valoareAmortizata;
    in.CalcAmortizare = card.depreciated;
    in.reportDate = date;
    const DepreciationRule::Result r = DepreciationRule::compute(in, DepreciationRule::Variant::Card);
    card.value = r.Valoare;
    card.total = r.Valoare + q.value(6).toDouble();
    card.monthly = r.AmortizareLunara;

    if (card.depreciated) {
        if (const auto full = fullDepreciation(card.price, durataTotala, valoareAmortizata, card.lot)) {
            card.fullYear = full->first;
            card.fullMonth = full->second;
        }
        if (!q.value(17).isNull())
            card.normalYears = q.value(17).toDouble();
        card.share = durationShare(card.price, durataTotala, valoareAmortizata, card.lot, date);
    }
    return card;
}

} // namespace FixedAssetCards
