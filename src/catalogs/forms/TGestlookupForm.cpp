#include "catalogs/forms/TGestlookupForm.h"

TGestlookupForm::TGestlookupForm(Database &db, Messages &messages, const Workstation &workstation,
                                 QWidget *parent, Mode mode)
    : TListLookupForm(ListCatalog::managementUnits(), db, messages, workstation, mode, parent)
{
}

TGestlookupForm *TGestlookupForm::create(Database &db, Messages &messages,
                                         const Workstation &workstation, QWidget *parent)
{
    auto *form = new TGestlookupForm(db, messages, workstation, parent);
    if (!form->isOpen()) {
        delete form;
        return nullptr;
    }
    return form;
}

bool TGestlookupForm::selectUnit(QWidget *owner, Database &db, Messages &messages,
                                 const Workstation &workstation, QString &code)
{
    TGestlookupForm dialog(db, messages, workstation, owner, Mode::Selection);
    if (!dialog.isOpen())
        return false;
    dialog.setOrder(0);
    dialog.locate(code);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    code = dialog.currentCode();
    return true;
}
