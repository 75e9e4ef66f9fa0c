#pragma once

#include "documents/DocumentSearch.h"

// "Cauta..." over the exit documents (`Doc_out`, `Item_out`): document number, inventory
// number, explanation and acquisition price.
class ExitSearch : public DocumentSearch
{
public:
    explicit ExitSearch(Database &db) : DocumentSearch(db, Documents::Exits) {}
};
