#include "catalogs/forms/TFurnLookupForm.h"

#include "app/forms/OpenedWindow.h"

TFurnLookupForm::TFurnLookupForm(Database &db, const Parameters &parameters, Messages &messages,
           const Workstation &workstation, QWidget *parent)
    : TListLookupForm(ListCatalog::suppliers(parameters), db, messages, workstation, Mode::Catalogue, parent)
{
}

TFurnLookupForm *TFurnLookupForm::create(Database &db, const Parameters &parameters, Messages &messages,
                   const Workstation &workstation, QWidget *parent)
{
    return openedOrNull(new TFurnLookupForm(db, parameters, messages, workstation, parent));
}
