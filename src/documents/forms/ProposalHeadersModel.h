#pragma once

#include "documents/ProposalHeader.h"
#include "documents/forms/DocumentHeadersModel.h"

// The proposal headers the proposals window moves through.
class ProposalHeadersModel : public DocumentHeaders<ProposalHeader>
{
public:
    explicit ProposalHeadersModel(Database &db, QObject *parent = nullptr)
        : DocumentHeaders(db, QStringLiteral("Doc_prof"),
                          {QStringLiteral("Contor"), QStringLiteral("Data_inregistrarii"), QStringLiteral("Numar"),
                           QStringLiteral("Data"), QStringLiteral("Client"), QStringLiteral("Explicatie"),
                           QStringLiteral("Data_scadenta")},
                          parent)
    {
    }
};
