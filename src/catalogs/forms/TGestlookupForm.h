#pragma once

#include "catalogs/forms/TListLookupForm.h"

// "Catalog de gestiuni": the management units, as catalogue window and as the
// selection dialog of the documents.
class TGestlookupForm : public TListLookupForm
{
    Q_OBJECT
public:
    TGestlookupForm(Database &db, Messages &messages, const Workstation &workstation,
                    QWidget *parent = nullptr, Mode mode = Mode::Catalogue);

    // The catalogue window; nullptr when the table cannot be opened (the error was shown).
    static TGestlookupForm *create(Database &db, Messages &messages, const Workstation &workstation,
                                   QWidget *parent = nullptr);

    // Selection for a document: positions on `code` (when it exists) in the key order;
    // unless the user leaves with "&Renunta", writes the current code back and returns true.
    static bool selectUnit(QWidget *owner, Database &db, Messages &messages,
                           const Workstation &workstation, QString &code);
};
