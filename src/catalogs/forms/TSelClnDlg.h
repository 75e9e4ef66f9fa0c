#pragma once

#include "catalogs/forms/TSelListDlg.h"

// Report selection of budgets (one, bare code).
class TSelClnDlg : public TSelListDlg
{
    Q_OBJECT
public:
    TSelClnDlg(Database &db, Messages &messages, QWidget *parent = nullptr);

    // On acceptance writes the result into `budget` (empty for all) and returns true;
    // otherwise leaves it.
    static bool execute(Database &db, Messages &messages, QString &budget, QWidget *parent = nullptr);
};
