#pragma once

#include "catalogs/forms/TSelListDlg.h"

// Report selection of suppliers.
class TSelFurnDlg : public TSelListDlg
{
    Q_OBJECT
public:
    TSelFurnDlg(Database &db, Messages &messages, QWidget *parent = nullptr);

    // On acceptance writes the result into `suppliers` (empty for all) and returns true;
    // otherwise leaves it.
    static bool execute(Database &db, Messages &messages, QString &suppliers, QWidget *parent = nullptr);
};
