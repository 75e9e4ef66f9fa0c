#include "printing/forms/PageNumberBox.h"

#include <algorithm>

QString PageNumberBox::number(const QString &text) const
{
    QString n = text;
    if (!prefix().isEmpty() && n.startsWith(prefix()))
        n.remove(0, prefix().size());
    if (!suffix().isEmpty() && n.endsWith(suffix()))
        n.chop(suffix().size());
    return n.trimmed();
}

QValidator::State PageNumberBox::validate(QString &text, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(text, pos);
    if (state != QValidator::Invalid)
        return state;
    const QString n = number(text);
    const bool digits = !n.isEmpty() && n.size() <= 9
                        && std::all_of(n.cbegin(), n.cend(), [](QChar c) { return c.isDigit(); });
    return digits ? QValidator::Intermediate : QValidator::Invalid;
}

void PageNumberBox::fixup(QString &text) const
{
    bool ok = false;
    const qlonglong n = number(text).toLongLong(&ok);
    if (ok && n > maximum()) {
        text = prefix() + textFromValue(maximum()) + suffix();
        return;
    }
    QSpinBox::fixup(text);
}
