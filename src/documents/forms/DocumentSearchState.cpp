#include "documents/forms/DocumentSearchState.h"

#include "app/NationalFormats.h"
#include "catalogs/forms/TSrchDlg.h"
#include "documents/forms/DocumentPeriod.h"

bool DocumentSearchState::ask(SearchCriteria &criteria, bool serialsOn, Messages &messages, QWidget *parent) const
{
    criteria = m_criteria;
    return TSrchDlg::execute(criteria, serialsOn, messages, NationalFormats::current(), parent);
}

void DocumentSearchState::restart(const SearchCriteria &criteria)
{
    m_criteria = criteria;
    m_lastFound = -1;
}

std::optional<DocumentSearch::Found> DocumentSearchState::next(Database &db, const DocumentPeriod &period) const
{
    std::optional<DocumentSearch::Period> within;
    if (period.active())
        within = DocumentSearch::Period{period.first(), period.last()};
    return DocumentSearch(db, m_documents).next(m_criteria, m_lastFound, within);
}
