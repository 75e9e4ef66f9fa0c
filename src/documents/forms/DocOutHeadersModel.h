#pragma once

#include "documents/ExitDocumentHeader.h"
#include "documents/forms/DocumentHeadersModel.h"

// The exit-document headers the window moves through.
class DocOutHeadersModel : public DocumentHeaders<ExitDocumentHeader>
{
public:
    explicit DocOutHeadersModel(Database &db, QObject *parent = nullptr)
        : DocumentHeaders(db, QStringLiteral("Doc_out"),
                          {QStringLiteral("Contor"), QStringLiteral("Data_inregistrarii"), QStringLiteral("Numar"),
                           QStringLiteral("Tip"), QStringLiteral("Data"), QStringLiteral("Client"),
                           QStringLiteral("Explicatie"), QStringLiteral("Data_scadenta"), QStringLiteral("Agent")},
                          parent)
    {
    }
};
