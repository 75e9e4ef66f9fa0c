#include "documents/EntryLineEditing.h"

#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/NationalFormats.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"

EntryLineEditing::EntryLineEditing(Database &db, const Parameters &parameters)
    : m_db(db), m_params(parameters), m_computations(std::make_unique<EntryComputations>(db, parameters))
{
}

EntryLineEditing::~EntryLineEditing() = default;

void EntryLineEditing::setDocument(const QString &type, const QDate &date)
{
    m_type = type;
    m_date = date;
    m_document = true;
}

void EntryLineEditing::setWithoutDocument()
{
    m_type.clear();
    m_date = QDate();
    m_document = false;
}

void EntryLineEditing::quantityChanged(EntryLine &line) const
{
    if (m_document)
        line.tva = m_computations->lineTva(line, m_type);
}

void EntryLineEditing::priceChanged(EntryLine &line) const
{
    quantityChanged(line);
    if (m_document && line.priceLei && m_date.isValid()) {
        if (const std::optional<double> equivalent = m_computations->equivalentPrice(*line.priceLei, m_date))
            line.priceUsd = equivalent;
    }
}

EntryLineEditing::Outcome EntryLineEditing::setGroup(EntryLine &line, const QString &group) const
{
    EntryLine l = line;
    l.group = group;
    try {
        m_computations->groupSet(l);
    } catch (const DocumentRefusal &refusal) {
        return Outcome::refused(refusal.text());
    }
    quantityChanged(l);
    line = l;
    return Outcome::ok();
}

EntryLineEditing::Outcome EntryLineEditing::setArticle(EntryLine &line, const QString &article) const
{
    line.article = article;
    m_computations->articleSet(line);
    quantityChanged(line);
    return Outcome::ok();
}

EntryLineEditing::Outcome EntryLineEditing::setCalcAmortizare(EntryLine &line, bool wanted) const
{
    const QString refusal = EntryComputations::calcAmortizareRefusal(line.domain, wanted);
    if (!refusal.isEmpty()) {
        line.calcAmortizare = false;
        return Outcome::refused(refusal);
    }
    line.calcAmortizare = wanted;
    return Outcome::ok();
}

EntryLineEditing::Outcome EntryLineEditing::apply(EntryLine &line, Field field, const QString &typed) const
{
    const QString text = typed.trimmed();
    const NationalFormats &formats = NationalFormats::current();
    EntryLine l = line;
    auto number = [&text](std::optional<double> &target) { return parseOptionalAmount(text, target); };
    switch (field) {
    case Field::Name: l.name = text; break;
    case Field::Quantity:
        if (!number(l.quantity))
            return Outcome::unreadable();
        quantityChanged(l);
        break;
    case Field::PriceCurrency:
        if (!number(l.priceCurrency))
            return Outcome::unreadable();
        if (l.priceCurrency) {
            l.priceLei = m_computations->priceFromNet(*l.priceCurrency);
            priceChanged(l);
        }
        break;
    case Field::Currency:
        l.currency = text;
        if (l.priceCurrency) {
            l.priceLei = m_computations->priceFromNet(*l.priceCurrency);
            priceChanged(l);
        }
        break;
    case Field::PriceLei:
        if (!number(l.priceLei))
            return Outcome::unreadable();
        priceChanged(l);
        break;
    case Field::PriceEquivalent:
        if (!number(l.priceUsd))
            return Outcome::unreadable();
        break;
    case Field::Tva:
        if (!number(l.tva))
            return Outcome::unreadable();
        break;
    case Field::ContTvaIntrari:
    case Field::ContMarfa: {
        const QString refusal = EntryComputations::accountRefusal(text);
        if (!refusal.isEmpty())
            return Outcome::refused(refusal);
        (field == Field::ContMarfa ? l.contMarfa : l.contTvaIntrari) = text;
        break;
    }
    case Field::Domain:
        l.domain = text;
        l.calcAmortizare = EntryComputations::depreciatedFor(text);
        break;
    case Field::Lot: {
        const QDate date = parseTypedDate(text);
        if (!text.isEmpty() && !date.isValid())
            return Outcome::unreadable();
        l.lot = date;
        line = l;
        return Outcome::ok(m_document ? EntryComputations::lotWarning(date, m_date) : QString());
    }
    case Field::TotalDuration: {
        std::optional<double> months;
        if (!number(months))
            return Outcome::unreadable();
        if (months) {
            const QString refusal = m_computations->totalDurationRefusal(l.group, *months, formats);
            if (!refusal.isEmpty())
                return Outcome::refused(refusal);
        }
        l.durataTotala = months;
        break;
    }
    case Field::RemainingDuration: {
        std::optional<double> months;
        if (!number(months))
            return Outcome::unreadable();
        if (months) {
            const QString refusal =
                EntryComputations::remainingDurationRefusal(*months, l.durataTotala.value_or(0), formats);
            if (!refusal.isEmpty())
                return Outcome::refused(refusal);
        }
        l.durataRamasa = months;
        break;
    }
    case Field::Depreciated:
        if (!number(l.valoareAmortizata))
            return Outcome::unreadable();
        break;
    }
    line = l;
    return Outcome::ok();
}

EntryLine EntryLineEditing::newLine(double contor, const QString &unit)
{
    EntryLine line;
    line.contor = contor;
    line.unit = unit;
    line.calcAmortizare = EntryComputations::depreciatedFor(line.domain);
    return line;
}

QString EntryLineEditing::saveRefusal(const EntryLine &line)
{
    if (line.calcAmortizare && *line.calcAmortizare && !EntryComputations::depreciatedFor(line.domain))
        return EntryComputations::publicDomainText();
    return QString();
}
