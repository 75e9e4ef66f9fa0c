#include "app/forms/KeypadDecimal.h"

#include "app/NationalFormats.h"

#include <QKeyEvent>
#include <QLineEdit>

void KeypadDecimal::install(QLineEdit *edit)
{
    edit->installEventFilter(new KeypadDecimal(edit));
}

bool KeypadDecimal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool decimalKey = key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma
            || key->key() == Qt::Key_Delete;
        if ((key->modifiers() & Qt::KeypadModifier) && decimalKey
            && (key->text() == QLatin1String(".") || key->text() == QLatin1String(","))) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
                edit->insert(QString(NationalFormats::current().decimalSeparator()));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
