#include "catalogs/forms/TSelArtDlg.h"

#include "catalogs/CodeList.h"

TSelArtDlg::TSelArtDlg(Database &db, Messages &messages, QWidget *parent)
    : TSelListDlg(SelectionSource::articles(), db, messages, parent)
{
}

QString TSelArtDlg::groups() const
{
    return isAll() ? QString() : CodeList::quoted(selectedValues(0));
}

QString TSelArtDlg::articles() const
{
    return isAll() ? QString() : CodeList::quoted(selectedValues(2));
}

QString TSelArtDlg::names() const
{
    return isAll() ? QString() : CodeList::quoted(selectedValues(3));
}

bool TSelArtDlg::execute(Database &db, Messages &messages, QString &groups, QString &articles,
                         QString &names, QWidget *parent)
{
    TSelArtDlg dialog(db, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    groups = dialog.groups();
    articles = dialog.articles();
    names = dialog.names();
    return true;
}
