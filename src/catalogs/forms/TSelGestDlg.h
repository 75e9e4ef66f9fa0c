#pragma once

#include "catalogs/forms/TSelListDlg.h"

// Report selection of management units.
class TSelGestDlg : public TSelListDlg
{
    Q_OBJECT
public:
    TSelGestDlg(Database &db, Messages &messages, QWidget *parent = nullptr);

    // On acceptance writes the result into `units` (empty for all) and returns true;
    // otherwise leaves it.
    static bool execute(Database &db, Messages &messages, QString &units, QWidget *parent = nullptr);
};
