#include "documents/forms/DocumentPeriod.h"

#include "app/NationalFormats.h"
#include "app/forms/TIntervalDlg.h"

DocumentPeriod::DocumentPeriod()
{
    const QDate today = QDate::currentDate();
    m_first = QDate(today.year(), today.month(), 1);
    m_last = m_first.addDays(30);
}

void DocumentPeriod::apply(const QDate &first, const QDate &last)
{
    m_first = first;
    m_last = last;
    m_active = true;
}

bool DocumentPeriod::ask(QDate &first, QDate &last, Messages &messages, QWidget *parent) const
{
    first = m_first;
    last = m_last;
    return TIntervalDlg::execute(first, last, messages, parent);
}

QString DocumentPeriod::caption(const QString &base, const QDate &first, const QDate &last)
{
    const QChar separator = NationalFormats::current().dateSeparator();
    const QString format = QStringLiteral("d") + separator + QStringLiteral("M") + separator + QStringLiteral("yy");
    return base + QLatin1Char(' ') + first.toString(format) + QStringLiteral(" - ") + last.toString(format);
}
