#pragma once

#include "catalogs/forms/TListLookupForm.h"

// "Catalog furnizori": opens only as a catalogue window; a new row takes its account from the
// parameters.
class TFurnLookupForm : public TListLookupForm
{
    Q_OBJECT
public:
    TFurnLookupForm(Database &db, const Parameters &parameters, Messages &messages,
         const Workstation &workstation, QWidget *parent = nullptr);

    // nullptr when the table cannot be opened (the error was shown).
    static TFurnLookupForm *create(Database &db, const Parameters &parameters, Messages &messages,
                        const Workstation &workstation, QWidget *parent = nullptr);
};
