#include "app/AddOnMenu.h"

TessaroMenuItem &TessaroMenuItem::add(const QString &text, int group)
{
    auto item = std::make_unique<TessaroMenuItem>();
    item->caption = text;
    item->groupIndex = group;
    items.push_back(std::move(item));
    return *items.back();
}

TessaroMenuItem &TessaroMenu::add(const QString &text, int group)
{
    auto item = std::make_unique<TessaroMenuItem>();
    item->caption = text;
    item->groupIndex = group;
    items.push_back(std::move(item));
    return *items.back();
}
