#include "catalogs/forms/TClientLookupForm.h"

#include "app/forms/OpenedWindow.h"

TClientLookupForm::TClientLookupForm(Database &db, const Parameters &parameters, Messages &messages,
           const Workstation &workstation, QWidget *parent)
    : TListLookupForm(ListCatalog::budgets(parameters), db, messages, workstation, Mode::Catalogue, parent)
{
}

TClientLookupForm *TClientLookupForm::create(Database &db, const Parameters &parameters, Messages &messages,
                   const Workstation &workstation, QWidget *parent)
{
    return openedOrNull(new TClientLookupForm(db, parameters, messages, workstation, parent));
}
