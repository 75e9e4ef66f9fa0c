#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// The Romanian formatting conventions of the program: separators, date formats and the
// month and day names. current() is the process-wide value every number and date is
// shown with (like QLocale's default); start-up resets it with setNational() and the
// application parameters later change its separators.
class NationalFormats
{
public:
    // The national values (same as after setNational()).
    NationalFormats();

    static NationalFormats &current();
    // Resets current() to the national values and makes the national locale Qt's default.
    static void setNational();
    static QLocale nationalLocale();

    QChar decimalSeparator() const { return m_decimal; }
    QChar thousandSeparator() const { return m_thousand; }
    QChar dateSeparator() const { return m_dateSeparator; }
    void setDecimalSeparator(QChar c) { m_decimal = c; }
    void setThousandSeparator(QChar c) { m_thousand = c; }
    // ',' gives decimal ',' and thousands '.'; anything else decimal '.' and thousands ','.
    void setSeparators(QChar decimal);

    // As the program shows them: "d.m.yyyy" and "dd.mm.yyyy" (m = month).
    QString shortDateFormat() const { return m_shortDate; }
    QString longDateFormat() const { return m_longDate; }
    // The same formats written for QDate::toString / fromString ("d.M.yyyy").
    QString qtShortDateFormat() const;
    QString qtLongDateFormat() const;

    QString formatDate(const QDate &date) const;     // "5.3.2024"
    QString formatLongDate(const QDate &date) const; // "05.03.2024"
    // Accepts both formats (one or two digits for day and month, four for the year)
    // with the current date separator; an invalid QDate when the text is not a date.
    QDate parseDate(const QString &text) const;

    // month 1..12; "IAN", "Feb", ..., "MAI", "IUN", "IUL", ...
    QString shortMonthName(int month) const;
    // month 1..12; "Ianuarie" ... "Decembrie"
    QString longMonthName(int month) const;
    // dayOfWeek as QDate::dayOfWeek(): 1 = Monday ... 7 = Sunday.
    QString shortDayName(int dayOfWeek) const;
    QString longDayName(int dayOfWeek) const;
    // Sunday first, as the day-name tables are kept.
    QStringList shortDayNames() const { return m_shortDays; }
    QStringList longDayNames() const { return m_longDays; }
    QStringList shortMonthNames() const { return m_shortMonths; }
    QStringList longMonthNames() const { return m_longMonths; }

    bool operator==(const NationalFormats &other) const = default;

private:
    static QString toQtFormat(const QString &format, QChar separator);

    QChar m_decimal;
    QChar m_thousand;
    QChar m_dateSeparator;
    QString m_shortDate;
    QString m_longDate;
    QStringList m_shortMonths;
    QStringList m_longMonths;
    QStringList m_shortDays; // Sunday first
    QStringList m_longDays;  // Sunday first
};
