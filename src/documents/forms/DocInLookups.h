#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QModelIndex;
class TDocInForm;

// The lookups of the entry window's line grid (Ctrl+Enter and double click: management
// unit, classification code, order), the catalogue search by name and the insertion of
// lines from a multiple selection. Works on the window's own lines and state.
class DocInLookups
{
public:
    explicit DocInLookups(TDocInForm &form) : m_form(form) {}

    // The status-line hint of a grid column: how its lookup is opened.
    static QString columnHint(int column);

    void gridDoubleClicked(const QModelIndex &index);
    // The lookup of the grid's current column.
    void openLookup();
    void articleSearch();
    // Inserts lines for catalogue rows (classification code, inventory number).
    void insertSelection(const QList<QPair<QString, QString>> &articles);

private:
    void unitLookup(int row);
    void codeLookup(int row);
    void orderLookup(int row);

    TDocInForm &m_form;
};
