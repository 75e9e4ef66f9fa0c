#pragma once

#include "app/AddOnHost.h"
#include "app/AddOnMenu.h"

#include <QString>

class QAction;
class QMainWindow;
class QMenuBar;
class QWidget;

// Merges the menus that add-on modules return into the program's menus, and the
// window-side steps of the modules' life (start-up, document windows).
//
// Entries carry a group index: the dynamic property "groupIndex" of the action (or of
// the QMenu behind it), 0 when absent.
class AddOnMenuMerge
{
public:
    static constexpr const char *GroupIndexProperty = "groupIndex";

    // Merges copies of the module menu's entries into `target` (a QMenuBar or a QMenu),
    // entry by entry, keeping a running position in the target:
    //  - skip the target entries with a smaller group index;
    //  - at the end of the target, append the copy;
    //  - same group index and caption (both without their "&" marks): merge the
    //    sub-entries into that entry, go past it;
    //  - same group index, other caption: insert the copy after that entry;
    //  - greater group index: insert the copy before that entry.
    // An inserted copy becomes the position, so that a module's entries keep their order.
    static void merge(const AddOnMenu &menu, QWidget *target);

    // The caption as merging compares it: "&Listari" and "Listari" are the same entry.
    static QString withoutMnemonic(const QString &caption);

    static int groupIndex(const QAction *action);
    static void setGroupIndex(QAction *action, int groupIndex);

    // The main menu's top-level entries, when they carry no group index of their own:
    // "&Sistem" 0, "S&etari" 1, "&Listari" 2, "&Ferestre" 8, "&Ajutor" 9 (by the menus'
    // object names), any other its position.
    static void setMainMenuGroupIndexes(QMenuBar *menuBar);

    // Start-up: loads the modules of the list, offers them the main window merging
    // their menus into its menu bar, and tells them the data directory.
    static void load(AddOnHost &host, const QStringList &paths, QMainWindow *mainWindow,
                     const QString &dataDirectory);
    // The same with the main window reached through its menu bar.
    static void load(AddOnHost &host, const QStringList &paths, QMenuBar *menuBar,
                     const QString &dataDirectory);

    // A newly created entry- or exit-document window: each module's menu is merged
    // into `menu` (the window's own menu bar or menu).
    static void offerDocInForm(AddOnHost &host, QWidget *window, QWidget *menu,
                               AddOnHost::TableView documents, AddOnHost::TableView lines);
    static void offerDocOutForm(AddOnHost &host, QWidget *window, QWidget *menu,
                                AddOnHost::TableView documents, AddOnHost::TableView lines);

    // The component name of the next copy: "_AddOn_Menu" and a running number of the
    // process.
    static QString nextCopyName();

private:
    static void mergeItems(const std::vector<std::unique_ptr<AddOnMenuItem>> &items,
                           QWidget *target, const std::shared_ptr<const bool> &loaded);
    static QAction *copyOf(const AddOnMenuItem &item, QWidget *owner,
                           const std::shared_ptr<const bool> &loaded);
};
