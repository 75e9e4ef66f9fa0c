#pragma once

#include "catalogs/SearchCriteria.h"

#include <QDate>
#include <QString>

class TDocOutForm;

// The commands of the exit window's "&Document" menu and buttons: "&Total", "Aplica
// &discount", "T&ransfer", "&Listeaza", the period filter and the search. Each saves what
// the user typed first; the rules are the domain's, the dialogs ask what they need.
class DocOutCommands
{
public:
    explicit DocOutCommands(TDocOutForm &form) : m_form(form) {}

    void showTotals();
    void applyDiscount();
    void transfer();
    bool transferTo(const QString &receivingUnit);
    void printDocument();

    void setPeriod(const QDate &first, const QDate &last);
    void showAll();
    void askPeriod();
    void searchFirst();
    bool searchFirst(const SearchCriteria &criteria);
    bool searchNext();

private:
    TDocOutForm &m_form;
};
