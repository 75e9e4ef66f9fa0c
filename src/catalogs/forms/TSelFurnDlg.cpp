#include "catalogs/forms/TSelFurnDlg.h"

TSelFurnDlg::TSelFurnDlg(Database &db, Messages &messages, QWidget *parent)
    : TSelListDlg(SelectionSource::suppliers(), db, messages, parent)
{
}

bool TSelFurnDlg::execute(Database &db, Messages &messages, QString &suppliers, QWidget *parent)
{
    TSelFurnDlg dialog(db, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    suppliers = dialog.result();
    return true;
}
