#include "catalogs/forms/TSelGestDlg.h"

TSelGestDlg::TSelGestDlg(Database &db, Messages &messages, QWidget *parent)
    : TSelListDlg(SelectionSource::managementUnits(), db, messages, parent)
{
}

bool TSelGestDlg::execute(Database &db, Messages &messages, QString &units, QWidget *parent)
{
    TSelGestDlg dialog(db, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    units = dialog.result();
    return true;
}
