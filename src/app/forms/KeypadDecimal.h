#pragma once

#include <QObject>

class QLineEdit;

// The numeric keypad's decimal key types the decimal separator of the parameters,
// whatever the keyboard layout sends for it ('.' on most, ',' on the Romanian one).
class KeypadDecimal : public QObject
{
    Q_OBJECT
public:
    // Installs itself on `edit` (and is owned by it).
    static void install(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
