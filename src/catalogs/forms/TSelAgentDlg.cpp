#include "catalogs/forms/TSelAgentDlg.h"

TSelAgentDlg::TSelAgentDlg(Database &db, Messages &messages, QWidget *parent)
    : TSelListDlg(SelectionSource::beneficiaries(), db, messages, parent)
{
}

bool TSelAgentDlg::execute(Database &db, Messages &messages, QString &initials, QWidget *parent)
{
    TSelAgentDlg dialog(db, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    initials = dialog.result();
    return true;
}
