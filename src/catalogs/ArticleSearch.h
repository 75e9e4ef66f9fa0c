#pragma once

#include <QString>
#include <QVariantMap>

// The article search by name: catalogue rows whose name contains a text.
class ArticleSearch
{
public:
    static QString sql();
    // The bound values for `text`: the pattern "%" + text + "%".
    static QVariantMap values(const QString &text);
};
