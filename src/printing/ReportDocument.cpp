#include "printing/ReportDocument.h"

QStringList ReportDocument::texts(int page) const
{
    QStringList list;
    if (page < 0 || page >= pages.size())
        return list;
    for (const ReportText &t : pages[page].texts)
        list.append(t.text);
    return list;
}

const ReportText *ReportDocument::find(int page, const QString &text) const
{
    if (page < 0 || page >= pages.size())
        return nullptr;
    for (const ReportText &t : pages[page].texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

int ReportDocument::pageOf(const QString &text) const
{
    for (int p = 0; p < pages.size(); ++p)
        if (find(p, text))
            return p;
    return -1;
}
