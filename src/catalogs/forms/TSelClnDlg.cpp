#include "catalogs/forms/TSelClnDlg.h"

TSelClnDlg::TSelClnDlg(Database &db, Messages &messages, QWidget *parent)
    : TSelListDlg(SelectionSource::budgets(), db, messages, parent)
{
}

bool TSelClnDlg::execute(Database &db, Messages &messages, QString &budget, QWidget *parent)
{
    TSelClnDlg dialog(db, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    budget = dialog.result();
    return true;
}
