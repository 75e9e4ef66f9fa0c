#pragma once

#include "documents/DocumentSearch.h"

// "Cauta..." over the entry documents (`Doc_in`, `Item_in`, `Serie`).
class EntrySearch : public DocumentSearch
{
public:
    explicit EntrySearch(Database &db) : DocumentSearch(db, Documents::Entries) {}
};
