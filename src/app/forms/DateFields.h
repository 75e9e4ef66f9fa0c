#pragma once

class QDateEdit;

// Date fields of the dialogs: "dd.mm.yyyy", ten characters wide, calendar popup.
namespace DateFields {
void setup(QDateEdit *edit);
}
