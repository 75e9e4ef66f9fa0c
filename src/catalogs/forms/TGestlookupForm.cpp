#include "catalogs/forms/TGestlookupForm.h"

#include "app/forms/OpenedWindow.h"

TGestlookupForm::TGestlookupForm(Database &db, Messages &messages, const Workstation &workstation,
                                 QWidget *parent, Mode mode)
    : TListLookupForm(ListCatalog::managementUnits(), db, messages, workstation, mode, parent)
{
}

TGestlookupForm *TGestlookupForm::create(Database &db, Messages &messages,
                                         const Workstation &workstation, QWidget *parent)
{
    return openedOrNull(new TGestlookupForm(db, messages, workstation, parent));
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
