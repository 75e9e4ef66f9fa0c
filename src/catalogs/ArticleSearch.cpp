#include "catalogs/ArticleSearch.h"

static const char *const Fields =
    "Grupa, Cod, Denumire, Descriere, Unitate_masura, Pret_vinzare, Moneda, Cont_marfa, "
    "Cont_cheltuieli, Cont_TVA_Intrari, Cont_TVA_Iesiri, Coef_TVA, Cont_accize, Coef_accize, "
    "Cont_adaos, Cont_venituri";

QString ArticleSearch::sql()
{
    const QString fields = QString::fromLatin1(Fields);
    return QStringLiteral("SELECT DISTINCT ") + fields
        + QStringLiteral(" FROM \"Catalog\" WHERE (Denumire LIKE :Den) ORDER BY ") + fields;
}

QVariantMap ArticleSearch::values(const QString &text)
{
    return {{QStringLiteral(":Den"), QStringLiteral("%") + text + QStringLiteral("%")}};
}
