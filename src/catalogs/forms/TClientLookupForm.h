#pragma once

#include "catalogs/forms/TListLookupForm.h"

// "Catalog bugete": opens only as a catalogue window; a new row takes its account from the
// parameters.
class TClientLookupForm : public TListLookupForm
{
    Q_OBJECT
public:
    TClientLookupForm(Database &db, const Parameters &parameters, Messages &messages,
         const Workstation &workstation, QWidget *parent = nullptr);

    // nullptr when the table cannot be opened (the error was shown).
    static TClientLookupForm *create(Database &db, const Parameters &parameters, Messages &messages,
                        const Workstation &workstation, QWidget *parent = nullptr);
};
