#pragma once

#include <QString>

class QModelIndex;
class TDocOutForm;

// The lookups of the exit window: Ctrl+Enter or a double click on the line grid opens the
// stock picker "Selectie articol din stoc" (management unit, classification code,
// inventory number) or the price selection (price); on the receiving unit it opens the
// management-unit lookup. Works on the window's own lines and fields.
class DocOutLookups
{
public:
    explicit DocOutLookups(TDocOutForm &form) : m_form(form) {}

    // The status-line hint of a grid column: how its lookup is opened.
    static QString columnHint(int column);
    static QString receivingUnitHint();

    void gridDoubleClicked(const QModelIndex &index);
    // The lookup of the grid's current column.
    void openLookup();
    void stockLookup(int row);
    void priceLookup(int row);
    void receivingUnitLookup();

private:
    TDocOutForm &m_form;
};
