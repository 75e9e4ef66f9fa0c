#include "app/AccountCode.h"

int parseAccountCode(const QString &text, QChar separator, AccountCodeParts &parts)
{
    parts = AccountCodeParts{};
    parts.synthetic = text;

    int count = 0;
    qsizetype first = -1;
    qsizetype second = -1;
    for (qsizetype pos = text.indexOf(separator); pos >= 0; pos = text.indexOf(separator, pos + 1)) {
        ++count;
        if (count == 1)
            first = pos;
        else if (count == 2)
            second = pos;
    }

    if (count == 2) {
        parts.synthetic = text.left(first);
        parts.analytic1 = text.mid(first + 1, second - first - 1);
        parts.analytic2 = text.mid(second + 1);
    } else if (count == 1) {
        parts.synthetic = text.left(first);
        parts.analytic1 = text.mid(first + 1);
    }

    if (parts.synthetic.size() > 3) {
        parts.subAccount = parts.synthetic.mid(3);
        parts.synthetic.truncate(3);
    }

    if (parts.synthetic.size() + parts.subAccount.size() > 10)
        return 4;
    // The analytic lengths are combined with a bitwise OR, not added: codes stored over
    // the years were accepted by this rule, so it stays.
    if ((parts.analytic1.size() | parts.analytic2.size()) > 20)
        return 4;
    return count;
}

bool validAccountCode(const QString &text)
{
    AccountCodeParts parts;
    return parseAccountCode(text, QLatin1Char('.'), parts) <= 2;
}
