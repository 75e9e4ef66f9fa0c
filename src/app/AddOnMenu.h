#pragma once

#include "tessaro_addon.h"

#include <QString>

#include <memory>
#include <vector>

// A menu as a module builds it through the host interface: plain data, copied into real
// menus by the window that receives it (AddOnMenuMerge).
struct TessaroMenuItem
{
    QString caption;
    int groupIndex = 0;
    QString shortcut;
    QString hint;
    bool checked = false;
    bool enabled = true;
    TessaroMenuClick click = nullptr;
    void *userData = nullptr;
    std::vector<std::unique_ptr<TessaroMenuItem>> items;

    bool isSeparator() const { return caption == QLatin1String("-"); }
    TessaroMenuItem &add(const QString &caption, int groupIndex);
};

struct TessaroMenu
{
    std::vector<std::unique_ptr<TessaroMenuItem>> items;
    // Set by the host: false once the module that built the menu has been unloaded, so
    // that a copied entry chosen afterwards calls nothing.
    std::shared_ptr<const bool> moduleLoaded;

    TessaroMenuItem &add(const QString &caption, int groupIndex);
};

using AddOnMenu = TessaroMenu;
using AddOnMenuItem = TessaroMenuItem;
