#pragma once

#include "catalogs/forms/TSelListDlg.h"

// Report selection of beneficiaries (one bare, several quoted).
class TSelAgentDlg : public TSelListDlg
{
    Q_OBJECT
public:
    TSelAgentDlg(Database &db, Messages &messages, QWidget *parent = nullptr);

    // On acceptance writes the result into `initials` (empty for all) and returns true;
    // otherwise leaves it.
    static bool execute(Database &db, Messages &messages, QString &initials, QWidget *parent = nullptr);
};
