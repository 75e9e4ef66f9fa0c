#include "documents/ExitTotals.h"

#include "db/Database.h"
#include "documents/MessageNumbers.h"

#include <QSqlQuery>
#include <QVariant>

ExitTotals::Sums ExitTotals::sums(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COALESCE(SUM(\"Cantitate\" * \"Pret_achizitie\"), 0), COALESCE(SUM(\"TVA\"), 0), "
                                          "COALESCE(SUM(\"Cantitate\" * \"Pret_vz_echiv_USD\"), 0) "
                                          "FROM \"Item_out\" WHERE \"Contor\" = :c"),
                           {{QStringLiteral(":c"), contor}});
    if (!q.next())
        return {};
    Sums s;
    s.acquisition = q.value(0).toDouble();
    s.value = s.acquisition;
    s.tva = q.value(1).toDouble();
    s.saleCurrency = q.value(2).toDouble();
    return s;
}

bool ExitTotals::asksPayment(const QString &type)
{
    return type == QLatin1String("FCT") || type == QLatin1String("CF");
}

QString ExitTotals::paymentQuestion()
{
    return QStringLiteral("Doriti sa marcati documentul ca achitat integral?");
}

QString ExitTotals::text(const Sums &s, const QString &type, const NationalFormats &formats)
{
    QString text = QStringLiteral("Total:\n Achizitie = %1;\nVînzare = %2;\nTVA = %3\nVînzare in valuta = %4;\nDocument = %5")
                       .arg(MessageNumbers::number(s.acquisition, formats), MessageNumbers::number(s.value, formats),
                            MessageNumbers::number(s.tva, formats), MessageNumbers::number(s.saleCurrency, formats),
                            MessageNumbers::number(s.document(), formats));
    if (asksPayment(type))
        text += QLatin1Char('\n') + paymentQuestion();
    return text;
}
