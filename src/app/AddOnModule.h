#pragma once

#include "tessaro_addon.h"

#include <QLibrary>
#include <QString>

#include <memory>

// One loaded add-on module: its library and the entry points found in it.
class AddOnModule
{
public:
    enum class Family { Dtl, Qdr };

    // Loads the library and finds the entry points; calls DtlAddOnDLL when the module
    // has it. False when the library cannot be loaded or lacks a required entry point
    // (the library is then released again).
    bool load(const QString &path, const QString &settingsPath);
    // ClearAddOnDLL, then the library is released. Does nothing when not loaded.
    void unload();

    bool isLoaded() const { return m_loaded && *m_loaded; }
    QString path() const { return m_path; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    Family family() const { return m_family; }
    // The module's own name (GetName), empty when it has none.
    QString ownName() const;
    // Follows the module's life; menus it built check it before running a click.
    std::shared_ptr<const bool> loadedFlag() const { return m_loaded; }

    TessaroInitAddOnDLL init = nullptr;
    TessaroClearAddOnDLL clear = nullptr;
    TessaroDtlAddOnDLL dtl = nullptr;
    TessaroAddOnMainForm mainForm = nullptr;
    TessaroAddOnChangeDB changeDB = nullptr;
    TessaroAddOnGetName getName = nullptr;
    TessaroAddOnDocForm docInForm = nullptr;
    TessaroAddOnDocForm docOutForm = nullptr;
    TessaroAddOnAddTables addTables = nullptr;

    // The names looked up for a family ("DtlAddOnMainForm", "QdrAddOnMainForm", ...).
    static QByteArray entryName(Family family, const char *suffix);

private:
    QFunctionPointer resolve(const QByteArray &name);

    QLibrary m_library;
    QString m_path;
    QString m_name;
    Family m_family = Family::Qdr;
    std::shared_ptr<bool> m_loaded = std::make_shared<bool>(false);
};
