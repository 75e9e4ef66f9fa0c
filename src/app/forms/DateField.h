#pragma once

#include <QDate>
#include <QLineEdit>
#include <QPointer>

class Messages;
class QCalendarWidget;

// A date field of a window or dialog ("dd.mm.yyyy") that is typed like a text: what
// the user types replaces the whole date, in any form DateParsing reads ("15.11.2026",
// "15112026", "15.11.26", "1.2.2026"). Tab leaves the field and Enter takes the date
// (then does what Enter does in the window); a text that is not a date is warned about
// and keeps the user in the field, so that passing through a field never changes its
// date. The button inside the field, Alt+Down or F4 opens the calendar.
class DateField : public QLineEdit
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    // Where the warning about a text that is not a date goes.
    void setMessages(Messages *messages) { m_messages = messages; }

    QDate date() const { return m_date; }
    // An invalid date empties the field.
    void setDate(const QDate &date);
    // Reads what was typed: true (the date taken) when it is a date or empty; false,
    // with the warning, when it is not.
    bool commitText();

    void showCalendar();
    // The calendar pop-up; null until it was first opened.
    QCalendarWidget *calendar() const;

Q_SIGNALS:
    // After every change of the date, by the user or by setDate().
    void dateChanged(const QDate &date);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString shownText() const;

    Messages *m_messages = nullptr;
    QDate m_date;
    bool m_fresh = false;
    QPointer<QCalendarWidget> m_calendar;
};
