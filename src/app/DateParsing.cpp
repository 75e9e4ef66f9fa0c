#include "app/DateParsing.h"

#include <QStringList>

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(' ');
}

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}

int fullYear(const QString &digits, const QDate &today)
{
    const int value = digits.toInt();
    if (digits.size() == 4)
        return value;
    const int latest = today.year() + 20;
    int year = latest - latest % 100 + value;
    if (year > latest)
        year -= 100;
    return year;
}

} // namespace

QDate parseTypedDate(const QString &typed, const QDate &today)
{
    QString text = typed.trimmed();
    while (!text.isEmpty() && isSeparator(text.back()))
        text.chop(1);
    if (text.isEmpty())
        return QDate();
    QString day;
    QString month;
    QString year;
    if (allDigits(text)) {
        if (text.size() != 4 && text.size() != 6 && text.size() != 8)
            return QDate();
        day = text.left(2);
        month = text.mid(2, 2);
        year = text.mid(4);
    } else {
        QStringList parts;
        QString part;
        for (const QChar c : std::as_const(text)) {
            if (isSeparator(c)) {
                parts << part;
                part.clear();
            } else {
                part += c;
            }
        }
        parts << part;
        if (parts.size() < 2 || parts.size() > 3)
            return QDate();
        for (const QString &p : std::as_const(parts)) {
            if (!allDigits(p))
                return QDate();
        }
        day = parts.at(0);
        month = parts.at(1);
        year = parts.size() == 3 ? parts.at(2) : QString();
        if (day.size() > 2 || month.size() > 2)
            return QDate();
    }
    if (!year.isEmpty() && year.size() != 2 && year.size() != 4)
        return QDate();
    const int y = year.isEmpty() ? today.year() : fullYear(year, today);
    // QDate refuses 31.2 and the like by itself.
    return QDate(y, month.toInt(), day.toInt());
}

QString notADateText(const QString &text)
{
    return QLatin1Char('<') + text + QStringLiteral("> nu este o data corecta!");
}
