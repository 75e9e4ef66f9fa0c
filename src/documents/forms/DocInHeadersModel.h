#pragma once

#include "documents/EntryDocumentHeader.h"
#include "documents/forms/DocumentHeadersModel.h"

// The entry-document headers the window moves through.
class DocInHeadersModel : public DocumentHeaders<EntryDocumentHeader>
{
public:
    explicit DocInHeadersModel(Database &db, QObject *parent = nullptr)
        : DocumentHeaders(db, QStringLiteral("Doc_in"),
                          {QStringLiteral("Contor"), QStringLiteral("Data_inregistrarii"), QStringLiteral("Numar"),
                           QStringLiteral("Tip"), QStringLiteral("Data"), QStringLiteral("Furnizor"),
                           QStringLiteral("Explicatie")},
                          parent)
    {
    }
};
