#include "catalogs/forms/TFurnLookupForm.h"

TFurnLookupForm::TFurnLookupForm(Database &db, const Parameters &parameters, Messages &messages,
           const Workstation &workstation, QWidget *parent)
    : TListLookupForm(ListCatalog::suppliers(parameters), db, messages, workstation, Mode::Catalogue, parent)
{
}

TFurnLookupForm *TFurnLookupForm::create(Database &db, const Parameters &parameters, Messages &messages,
                   const Workstation &workstation, QWidget *parent)
{
    auto *form = new TFurnLookupForm(db, parameters, messages, workstation, parent);
    if (!form->isOpen()) {
        delete form;
        return nullptr;
    }
    return form;
}
