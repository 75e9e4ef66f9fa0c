#pragma once

#include <QChar>
#include <QString>

// The parts of an account code such as "4111.01.002": synthetic account "411",
// sub-account "1", analytics "01" and "002".
struct AccountCodeParts
{
    QString synthetic;
    QString subAccount;
    QString analytic1;
    QString analytic2;
};

// Splits an account code at the separator. The result is the number of separators
// found, or 4 when the synthetic account and sub-account together are longer than 10
// or the analytics are too long; a result above 2 means an invalid code.
int parseAccountCode(const QString &text, QChar separator, AccountCodeParts &parts);

// At most two "." separators and the length limits met.
bool validAccountCode(const QString &text);
