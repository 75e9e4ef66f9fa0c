#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>

class Parameters;

// What distinguishes the three list windows (management units, budgets, suppliers):
// table, columns, orders, the messages and the rules of a row. The windows share one
// design; everything that is a rule lives here, where tests reach it without a window.
struct ListCatalog
{
    struct Column
    {
        QString field;
        QString caption;
        int width = 0; // characters
    };

    QString table;
    QString keyField;
    QString nameField;
    QString caption;
    int helpContext = 0;
    QList<Column> columns; // shown, in order; every other field is hidden
    QString emptyWarning;
    // Empty for the management units, which check nothing before saving.
    QString rowCheckMessage;
    // Without a row check, an empty code is still refused with this message: an empty
    // key would make a row nobody can point to.
    QString keyMessage;
    QString accountField;
    QString defaultAccount;
    QString layoutName; // ".cfg" file written at closing; empty for none
    bool refreshes = false;
    bool checksOnClose = false;
    bool canSelect = false; // also opens as a modal selection dialog

    static ListCatalog managementUnits();
    static ListCatalog budgets(const Parameters &parameters);
    static ListCatalog suppliers(const Parameters &parameters);

    static QString accountMessage();
    // The refusal for a value typed into the account field; empty when it is accepted.
    static QString checkAccount(const QVariant &value);
    // The refusal of a row about to be saved; empty when it may be saved.
    QString checkRow(const QSqlRecord &record) const;
};
