#pragma once

#include <QDate>
#include <QString>

// Dates as people type them into a date field or cell, day first:
//   "15.11.2026", "1.2.2026", "15.11.26", "15/11/2026", "15-11-2026", "15.11" (this year),
//   and the digits alone: "15112026", "151126", "1511" (this year).
// A two-digit year falls in the hundred years that end twenty years after `today`
// (in 2026: "46" is 2046, "47" is 1947). An invalid QDate when the text is not a
// calendar date (31.2 included) or is empty.
QDate parseTypedDate(const QString &text, const QDate &today = QDate::currentDate());

// The warning for a text that is not a date: "<31.02.2026> nu este o data corecta!".
QString notADateText(const QString &text);
