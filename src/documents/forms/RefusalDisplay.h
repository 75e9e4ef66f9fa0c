#pragma once

#include "app/Messages.h"
#include "documents/DocumentRefusal.h"

#include <QApplication>

// Shows a refused save or deletion; the error beep goes first when the stock row was missing.
inline void showRefusal(const DocumentRefusal &refusal, Messages &messages)
{
    if (refusal.beep())
        QApplication::beep();
    refusal.show(messages);
}
