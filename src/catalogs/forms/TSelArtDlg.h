#pragma once

#include "catalogs/forms/TSelListDlg.h"

// Report selection of assets: classification codes, inventory numbers and names of
// the chosen rows, each as a quoted list.
class TSelArtDlg : public TSelListDlg
{
    Q_OBJECT
public:
    TSelArtDlg(Database &db, Messages &messages, QWidget *parent = nullptr);

    // The three result texts as the dialog stands; all empty for "all".
    QString groups() const;
    QString articles() const;
    QString names() const;

    static bool execute(Database &db, Messages &messages, QString &groups, QString &articles,
                        QString &names, QWidget *parent = nullptr);
};
