#include "app/forms/DateField.h"

#include "app/DateParsing.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

DateField::DateField(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(10);
    QAction *popup = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    popup->setObjectName(QStringLiteral("CalendarAction"));
    connect(popup, &QAction::triggered, this, &DateField::showCalendar);
    // Room for ten characters and the button.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 2 * style()->pixelMetric(QStyle::PM_SmallIconSize) + 12);
    setMaximumWidth(minimumWidth() + 24);
}

QString DateField::shownText() const
{
    return NationalFormats::current().formatLongDate(m_date);
}

void DateField::setDate(const QDate &date)
{
    const QDate wanted = date.isValid() ? date : QDate();
    const bool changed = wanted != m_date;
    m_date = wanted;
    setText(shownText());
    if (hasFocus()) {
        selectAll();
        m_fresh = true;
    }
    if (changed)
        Q_EMIT dateChanged(m_date);
}

bool DateField::commitText()
{
    const QString typed = text().trimmed();
    if (typed == shownText())
        return true;
    const QDate date = parseTypedDate(typed);
    if (!typed.isEmpty() && !date.isValid()) {
        if (m_messages)
            m_messages->warning(notADateText(typed));
        selectAll();
        m_fresh = true;
        return false;
    }
    setDate(date);
    return true;
}

QCalendarWidget *DateField::calendar() const
{
    return m_calendar.data();
}

void DateField::showCalendar()
{
    if (!m_calendar) {
        auto *frame = new QWidget(this, Qt::Popup);
        frame->setObjectName(QStringLiteral("CalendarPopup"));
        m_calendar = new QCalendarWidget(frame);
        m_calendar->setObjectName(QStringLiteral("Calendar"));
        m_calendar->setGridVisible(true);
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        auto *layout = new QVBoxLayout(frame);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(m_calendar);
        auto take = [this, frame](const QDate &date) {
            frame->hide();
            setDate(date);
            setFocus(Qt::PopupFocusReason);
        };
        connect(m_calendar, &QCalendarWidget::activated, this, take);
        connect(m_calendar, &QCalendarWidget::clicked, this, take);
    }
    // Whatever was typed counts as the starting point when it is a date.
    const QDate typed = parseTypedDate(text());
    m_calendar->setSelectedDate(typed.isValid() ? typed : (m_date.isValid() ? m_date : QDate::currentDate()));
    QWidget *frame = m_calendar->parentWidget();
    frame->adjustSize();
    frame->move(mapToGlobal(QPoint(0, height())));
    frame->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

bool DateField::event(QEvent *event)
{
    // Tab is taken before keyPressEvent(): the field is left only with a readable date.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !commitText())
            return true;
    }
    return QLineEdit::event(event);
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) || key == Qt::Key_F4) {
        showCalendar();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The date is taken first; then Enter does what it does in the window (the
        // dialog's default button, the next field of a document's header).
        if (!commitText()) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Escape && text() != shownText()) {
        setDate(m_date); // back to the date the field had
        return;
    }
    // The first character typed after entering the field starts a new date.
    if (m_fresh && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        clear();
        m_fresh = false;
    } else if (key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right
               || key == Qt::Key_Home || key == Qt::Key_End) {
        m_fresh = false;
    }
    QLineEdit::keyPressEvent(event);
}

void DateField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        // Back from a pop-up or another window: a half-typed date stays as it was.
        m_fresh = text() == shownText();
        if (m_fresh)
            selectAll();
        return;
    }
    m_fresh = true;
    selectAll();
    // After QLineEdit's own handling of a click, which places the cursor.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && m_fresh)
            selectAll();
    });
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    QLineEdit::focusOutEvent(event);
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    // Left by a click elsewhere: a text that is not a date gives the date back.
    if (!commitText())
        setDate(m_date);
}
