#pragma once

#include "app/AddOnHandles.h"
#include "app/AddOnMenu.h"
#include "app/AddOnModule.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class Messages;
class QAbstractItemModel;
class QItemSelectionModel;
class QObject;
class QSettings;

// The add-on modules of this run, in load order. The main window's owner creates it
// with the main window and unloads it when the program ends; windows offer themselves
// to the modules through it.
class AddOnHost
{
public:
    // Receives each menu a module returns, to merge copies of it into a window's menu.
    using MenuMerge = std::function<void(const AddOnMenu &menu)>;

    // A document's header or lines as a window shows them (the selection gives the row
    // the user is on; it may be null).
    struct TableView
    {
        QAbstractItemModel *model = nullptr;
        QItemSelectionModel *selection = nullptr;
    };

    explicit AddOnHost(Messages &messages);
    ~AddOnHost();
    AddOnHost(const AddOnHost &) = delete;
    AddOnHost &operator=(const AddOnHost &) = delete;

    // The module paths of the group "AddOns" of the given settings, in the order the
    // settings list their keys; empty when the group does not exist.
    static QStringList moduleList(QSettings &settings);
    // The same from the system-scope settings of "Brindell"/"Tessaro".
    static QStringList systemModuleList();

    // Loads every module of the list. A module that cannot be loaded is reported with
    // loadFailureText() and skipped; the others load.
    void load(const QStringList &paths);

    // Offers the main window to every module, in load order; each menu returned is
    // handed to `merge`, then freed.
    void offerMainForm(QObject *mainWindow, const MenuMerge &merge);
    // The same for a newly created entry- or exit-document window, for the modules that
    // have the matching entry point.
    void offerDocInForm(QObject *window, TableView documents, TableView lines,
                        const MenuMerge &merge);
    void offerDocOutForm(QObject *window, TableView documents, TableView lines,
                         const MenuMerge &merge);

    // Tells every module the data directory now in use (empty when none).
    void setDataDirectory(const QString &dataDirectory);

    // ClearAddOnDLL of every module, then its library is released. Also done by the
    // destructor.
    void unloadAll();

    int count() const { return int(m_modules.size()); }
    const AddOnModule &module(int i) const { return *m_modules.at(size_t(i)); }

    static QString loadFailureText(const QString &path);
    // Given to DtlAddOnDLL: where the special reports keep their settings.
    static QString settingsPath();
    static QString settingsGroup() { return QStringLiteral("AddOns"); }

private:
    void offerDocForm(bool entry, QObject *window, TableView documents, TableView lines,
                      const MenuMerge &merge);
    void mergeAndFree(const AddOnModule &module, TessaroMenu *menu, const MenuMerge &merge);
    TessaroWindow *windowHandle(QObject *window);
    TessaroTable *tableHandle(TableView view);

    Messages &m_messages;
    std::vector<std::unique_ptr<AddOnModule>> m_modules;
    int m_unnamedDtl = 0;
    int m_unnamedQdr = 0;
    TessaroScreen m_screen;
    TessaroHostApplication m_application;
    std::vector<std::unique_ptr<TessaroWindow>> m_windows;
    std::vector<std::unique_ptr<TessaroTable>> m_tables;
};
