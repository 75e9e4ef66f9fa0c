#include "catalogs/forms/TClientLookupForm.h"

TClientLookupForm::TClientLookupForm(Database &db, const Parameters &parameters, Messages &messages,
           const Workstation &workstation, QWidget *parent)
    : TListLookupForm(ListCatalog::budgets(parameters), db, messages, workstation, Mode::Catalogue, parent)
{
}

TClientLookupForm *TClientLookupForm::create(Database &db, const Parameters &parameters, Messages &messages,
                   const Workstation &workstation, QWidget *parent)
{
    auto *form = new TClientLookupForm(db, parameters, messages, workstation, parent);
    if (!form->isOpen()) {
        delete form;
        return nullptr;
    }
    return form;
}
