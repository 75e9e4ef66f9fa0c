#include "documents/ExitLineEditing.h"

#include "app/AmountParsing.h"
#include "documents/ManagementUnits.h"

ExitLineEditing::ExitLineEditing(Database &db, const Parameters &parameters)
    : m_db(db), m_choice(db), m_sale(db, parameters)
{
}

void ExitLineEditing::setDocument(const QString &type, const QDate &date)
{
    m_context = {type, date};
}

QString ExitLineEditing::unknownUnitText(const QString &unit)
{
    return QStringLiteral("Gestiunea <") + unit
        + QStringLiteral("> nu exista în catalog! Apasati CTRL-ENTER pentru a selecta gestiunea din catalog!");
}

ExitLine ExitLineEditing::newLine(double contor, const QString &unit)
{
    ExitLine line;
    line.contor = contor;
    line.unit = unit;
    return line;
}

ExitLineEditing::Outcome ExitLineEditing::codesChanged(ExitLine &line, const ExitLine &before) const
{
    const QString refusal = m_choice.typedCodeRefusal(line);
    if (!refusal.isEmpty()) {
        line = before;
        return Outcome::refused(refusal);
    }
    // The article's catalogue row gives the sale fields, which then follow the price.
    if (line.article != before.article || line.group != before.group || line.unit != before.unit)
        m_sale.articleSet(line, m_context);
    else if (line.price != before.price)
        m_sale.priceSet(line, m_context);
    return Outcome::ok();
}

ExitLineEditing::Outcome ExitLineEditing::setUnit(ExitLine &line, const QString &unit) const
{
    if (!unit.isEmpty() && !ManagementUnits(m_db).exists(unit))
        return Outcome::refused(unknownUnitText(unit));
    const ExitLine before = line;
    line.unit = unit;
    return codesChanged(line, before);
}

ExitLineEditing::Outcome ExitLineEditing::setGroup(ExitLine &line, const QString &group) const
{
    const ExitLine before = line;
    line.group = group;
    return codesChanged(line, before);
}

ExitLineEditing::Outcome ExitLineEditing::setArticle(ExitLine &line, const QString &article) const
{
    const ExitLine before = line;
    line.article = article;
    return codesChanged(line, before);
}

ExitLineEditing::Outcome ExitLineEditing::setQuantity(ExitLine &line, const QString &text) const
{
    std::optional<double> quantity = line.quantity;
    if (!parseOptionalAmount(text, quantity))
        return Outcome::unreadable();
    line.quantity = quantity;
    m_sale.amountsSet(line, m_context);
    if (quantity && *quantity < 0)
        return Outcome::ok(ExitPriceChoice::returnText());
    return Outcome::ok();
}

void ExitLineEditing::takeStockRow(ExitLine &line, const StockKey &row) const
{
    ExitPriceChoice::takeStockRow(line, row);
    m_sale.articleSet(line, m_context);
}

void ExitLineEditing::takePrice(ExitLine &line, const ExitPriceChoice::PriceRow &row) const
{
    ExitPriceChoice::takePrice(line, row);
    m_sale.priceSet(line, m_context);
}
