#include "app/forms/DateFields.h"

#include "app/NationalFormats.h"

#include <QDateEdit>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionSpinBox>

void DateFields::setup(QDateEdit *edit)
{
    edit->setDisplayFormat(NationalFormats::current().qtLongDateFormat());
    edit->setMinimumDate(QDate(1900, 1, 1));
    edit->setMaximumDate(QDate(9999, 12, 31));
    // Room for ten characters plus the popup button.
    const int text = edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 "));
    edit->setMinimumWidth(text + edit->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16);
}
