#pragma once

#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"
#include "reports/FixedAssetCard.h"

#include <QStringList>
#include <QVector>

class Database;

// The printed fixed-asset card, one page per card: the organisation, "FISA MIJLOCULUI
// FIX" at the card date, the boxed table of the asset and its movement line. Values and
// acquisition amounts carry the "Nr zecimale lei" decimals.
class FixedAssetCardPrint
{
public:
    enum Field {
        Group, Classification, Article, Provenance, YearInUse, MonthInUse, Value, FullYear, FullMonth, Monthly,
        Name, NormalLife, Share, FieldCount
    };

    FixedAssetCardPrint(QVector<FixedAssetCard> cards, int decimals);

    // Name, "Cod fiscal" and "Adresa" of the organisation "FirmNo". Throws DbError.
    void loadOrganisation(Database &db, int firmNo);
    void setOrganisation(const QStringList &lines) { m_organisation = lines; }

    static QString title() { return QStringLiteral("FISA MIJLOCULUI FIX"); }
    // The print job's title, the one the card has always gone out under.
    static QString jobTitle() { return QStringLiteral("Nota de receptie"); }

    const QVector<FixedAssetCard> &cards() const { return m_cards; }
    ReportDocument document(const PageSetup &page) const;

    // One CSV line per card, with the values as printed.
    static ReportDefinition csvDefinition();
    QVector<ReportRow> rows() const;

private:
    ReportDefinition definition() const;
    QString amountMask() const;

    QVector<FixedAssetCard> m_cards;
    int m_decimals;
    QStringList m_organisation;
};
