#include "app/NationalFormats.h"

#include <QLocale>
#include <QRegularExpression>

NationalFormats::NationalFormats()
    : m_decimal(QLatin1Char(','))
    , m_thousand(QLatin1Char('.'))
    , m_dateSeparator(QLatin1Char('.'))
    , m_shortDate(QStringLiteral("d.m.yyyy"))
    , m_longDate(QStringLiteral("dd.mm.yyyy"))
{
    // The system's short names, with the Romanian ones where they differ from English.
    const QLocale system = QLocale::c();
    for (int month = 1; month <= 12; ++month)
        m_shortMonths << system.monthName(month, QLocale::ShortFormat);
    m_shortMonths[0] = QStringLiteral("IAN");
    m_shortMonths[4] = QStringLiteral("MAI");
    m_shortMonths[5] = QStringLiteral("IUN");
    m_shortMonths[6] = QStringLiteral("IUL");

    m_longMonths = QStringList{
        QStringLiteral("Ianuarie"), QStringLiteral("Februarie"), QStringLiteral("Martie"),
        QStringLiteral("Aprilie"),  QStringLiteral("Mai"),       QStringLiteral("Iunie"),
        QStringLiteral("Iulie"),    QStringLiteral("August"),    QStringLiteral("Septembrie"),
        QStringLiteral("Octombrie"), QStringLiteral("Noiembrie"), QStringLiteral("Decembrie")};
    m_shortDays = QStringList{QStringLiteral("Dum"), QStringLiteral("Lun"), QStringLiteral("Mar"),
                              QStringLiteral("Mie"), QStringLiteral("Joi"), QStringLiteral("Vin"),
                              QStringLiteral("Sîm")};
    m_longDays = QStringList{QStringLiteral("Duminica"), QStringLiteral("Luni"),
                             QStringLiteral("Marti"),    QStringLiteral("Miercuri"),
                             QStringLiteral("Joi"),      QStringLiteral("Vineri"),
                             QStringLiteral("Sîmbata")};
}

NationalFormats &NationalFormats::current()
{
    static NationalFormats formats;
    return formats;
}

void NationalFormats::setNational()
{
    current() = NationalFormats();
    // Qt's own texts follow: month and day names of the calendar, date edits, spin boxes.
    QLocale::setDefault(nationalLocale());
}

QLocale NationalFormats::nationalLocale()
{
    return QLocale(QLocale::Romanian, QLocale::Romania);
}

void NationalFormats::setSeparators(QChar decimal)
{
    if (decimal == QLatin1Char(',')) {
        m_decimal = QLatin1Char(',');
        m_thousand = QLatin1Char('.');
    } else {
        m_decimal = QLatin1Char('.');
        m_thousand = QLatin1Char(',');
    }
}

// The program writes month as 'm' (there are no minutes in a date format); Qt wants 'M'.
// A '/' stands for the date separator.
QString NationalFormats::toQtFormat(const QString &format, QChar separator)
{
    QString out;
    out.reserve(format.size());
    for (const QChar c : format) {
        if (c == QLatin1Char('m'))
            out += QLatin1Char('M');
        else if (c == QLatin1Char('/'))
            out += separator;
        else
            out += c;
    }
    return out;
}

QString NationalFormats::qtShortDateFormat() const
{
    return toQtFormat(m_shortDate, m_dateSeparator);
}

QString NationalFormats::qtLongDateFormat() const
{
    return toQtFormat(m_longDate, m_dateSeparator);
}

QString NationalFormats::formatDate(const QDate &date) const
{
    return date.isValid() ? date.toString(qtShortDateFormat()) : QString();
}

QString NationalFormats::formatLongDate(const QDate &date) const
{
    return date.isValid() ? date.toString(qtLongDateFormat()) : QString();
}

QDate NationalFormats::parseDate(const QString &text) const
{
    const QString sep = QRegularExpression::escape(QString(m_dateSeparator));
    const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})%1(\\d{1,2})%1(\\d{4})\\s*$").arg(sep));
    const auto match = re.match(text);
    if (!match.hasMatch())
        return QDate();
    // QDate rejects 31.2 and the like by itself.
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

QString NationalFormats::shortMonthName(int month) const
{
    return (month >= 1 && month <= 12) ? m_shortMonths.at(month - 1) : QString();
}

QString NationalFormats::longMonthName(int month) const
{
    return (month >= 1 && month <= 12) ? m_longMonths.at(month - 1) : QString();
}

// Qt numbers Monday 1 ... Sunday 7; the tables start with Sunday.
QString NationalFormats::shortDayName(int dayOfWeek) const
{
    return (dayOfWeek >= 1 && dayOfWeek <= 7) ? m_shortDays.at(dayOfWeek % 7) : QString();
}

QString NationalFormats::longDayName(int dayOfWeek) const
{
    return (dayOfWeek >= 1 && dayOfWeek <= 7) ? m_longDays.at(dayOfWeek % 7) : QString();
}
