#pragma once

#include "catalogs/SearchCriteria.h"
#include "documents/DocumentSearch.h"

#include <optional>

class Database;
class DocumentPeriod;
class Messages;
class QWidget;

// "&Cauta" of a document window: the last criterion with its values and the registration
// number of the last document found, so that "&Urmatoarea" goes on from there.
class DocumentSearchState
{
public:
    explicit DocumentSearchState(DocumentSearch::Documents documents) : m_documents(documents) {}

    // "&Prima aparitie...": the dialog "Cauta..." from the last criteria (the serial
    // number offered when `serialsOn`); true when confirmed, with the criteria in `criteria`.
    bool ask(SearchCriteria &criteria, bool serialsOn, Messages &messages, QWidget *parent) const;
    // The search starts again from the beginning with these criteria.
    void restart(const SearchCriteria &criteria);
    // The next document after the last one found, within the period when it is applied.
    // Engine failures throw DbError.
    std::optional<DocumentSearch::Found> next(Database &db, const DocumentPeriod &period) const;
    // The window went to the document found: the next search goes on after it.
    void found(double contor) { m_lastFound = contor; }

    const SearchCriteria &criteria() const { return m_criteria; }

private:
    DocumentSearch::Documents m_documents;
    SearchCriteria m_criteria;
    double m_lastFound = -1;
};
