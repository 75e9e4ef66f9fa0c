#include "app/GridLayout.h"

#include "app/SafeFileWriter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr int MaxWidth = 10000;
constexpr qint64 MaxFileSize = 1 << 20;
}

bool GridLayout::isValid() const
{
    QList<bool> seen(columns.size(), false);
    for (const Column &c : columns) {
        if (c.visualIndex < 0 || c.visualIndex >= columns.size() || seen[c.visualIndex])
            return false;
        if (c.width < 0 || c.width > MaxWidth)
            return false;
        seen[c.visualIndex] = true;
    }
    return true;
}

QByteArray GridLayout::toText() const
{
    QJsonArray array;
    for (const Column &c : columns)
        array.append(QJsonObject{{QStringLiteral("visual"), c.visualIndex},
                                 {QStringLiteral("width"), c.width},
                                 {QStringLiteral("hidden"), c.hidden}});
    return QJsonDocument(QJsonObject{{QStringLiteral("columns"), array}}).toJson();
}

GridLayout GridLayout::fromText(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return {};
    const QJsonValue list = doc.object().value(QStringLiteral("columns"));
    if (!list.isArray())
        return {};
    GridLayout layout;
    for (const QJsonValue &v : list.toArray()) {
        const QJsonObject o = v.toObject();
        const QJsonValue visual = o.value(QStringLiteral("visual"));
        const QJsonValue width = o.value(QStringLiteral("width"));
        const QJsonValue hidden = o.value(QStringLiteral("hidden"));
        if (!visual.isDouble() || !width.isDouble() || !hidden.isBool())
            return {};
        layout.columns.append({visual.toInt(-1), width.toInt(-1), hidden.toBool()});
    }
    return layout.isValid() ? layout : GridLayout{};
}

bool GridLayout::write(const QString &path) const
{
    return SafeFileWriter::writeFile(path, toText());
}

GridLayout GridLayout::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return {};
    return fromText(file.readAll());
}
