#include "app/ApplicationErrors.h"

#include "app/Messages.h"
#include "db/DbError.h"

QString ApplicationErrors::duplicateKeyText()
{
    return QStringLiteral("Atentie! Inregistrare duplicata! Stergeti înregistrarea curenta "
                          "sau modificati cîmpurile care îi confera unicitate!");
}

void ApplicationErrors::report(const std::exception &error, Messages &messages)
{
    if (const auto *db = dynamic_cast<const DbError *>(&error)) {
        if (db->isKeyViolation())
            messages.warning(duplicateKeyText());
        else
            messages.error(db->userText());
        return;
    }
    const QString text = QString::fromUtf8(error.what());
    messages.error(text.isEmpty() ? QStringLiteral("Eroare neprevazuta.") : text);
}

void ApplicationErrors::reportUnknown(Messages &messages)
{
    messages.error(QStringLiteral("Eroare neprevazuta."));
}

bool ApplicationErrors::guard(const std::function<bool()> &deliver, Messages &messages)
{
    try {
        return deliver();
    } catch (const std::exception &error) {
        report(error, messages);
    } catch (...) {
        reportUnknown(messages);
    }
    return false;
}
