/*
 * Tessaro add-on modules: the contract between the program and a module.
 *
 * A module is a shared library listed in the system-scope settings of organisation
 * "Brindell", application "Tessaro", group "AddOns" (one value per module, holding the
 * library's path; the value names are free). The program loads the modules at start-up,
 * in the order the settings list them, and looks up the entry points below by their
 * exact names (export them with C linkage: TESSARO_ADDON_EXPORT).
 *
 * Entry points of one module:
 *   required  InitAddOnDLL, ClearAddOnDLL
 *   optional  DtlAddOnDLL; when present it selects the "Dtl" family of the names below,
 *             when absent the "Qdr" family
 *   required  <family>AddOnMainForm, <family>AddOnChangeDB
 *   optional  <family>AddOnGetName, <family>AddOnDocInForm, <family>AddOnDocOutForm,
 *             <family>AddOnAddTables (looked up, never called)
 * A module missing a required entry point is refused with the message
 * "Nu pot încarca modulul "<path>" !" and the program runs without it.
 *
 * Every text crossing this interface is UTF-8 and NUL-terminated. A text returned by
 * the host stays valid until the next call made with the same handle; texts returned by
 * a module must stay valid while the module is loaded.
 *
 * Objects are opaque handles, read and built through the functions of TessaroHostApi,
 * which InitAddOnDLL receives and the module may keep for its whole life. A window or
 * table handle is valid as long as its window is open (the main window's for the whole
 * run); a module must not use it after that.
 *
 * Menus: a module builds a menu with menuCreate()/menuAddItem() and returns it; the host
 * takes ownership, merges copies of its entries into the target menu and frees it.
 * Entries are merged by group index and caption: an entry whose group index and caption
 * equal those of a target entry adds its sub-entries to that entry; other entries are
 * placed among the target's by group index. Captions are compared without their "&"
 * marks, so "Listari" finds the main menu's "&Listari". The main menu's entries have
 * these group indexes: "&Sistem" 0, "Setari" 1, "Listari" 2, "Ferestre" 8, "Ajutor" 9.
 */
#ifndef TESSARO_ADDON_H
#define TESSARO_ADDON_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define TESSARO_ADDON_EXPORT __declspec(dllexport)
#else
#define TESSARO_ADDON_EXPORT __attribute__((visibility("default")))
#endif

#define TESSARO_ADDON_ABI_VERSION 1

/* Group indexes of the main menu's top-level entries. */
#define TESSARO_GROUP_SISTEM 0
#define TESSARO_GROUP_SETARI 1
#define TESSARO_GROUP_LISTARI 2
#define TESSARO_GROUP_FERESTRE 8
#define TESSARO_GROUP_AJUTOR 9

typedef struct TessaroScreen TessaroScreen;           /* the host's screen */
typedef struct TessaroHostApplication TessaroHostApplication; /* the host application */
typedef struct TessaroWindow TessaroWindow;           /* a window of the host */
typedef struct TessaroTable TessaroTable;             /* a document's header or lines */
typedef struct TessaroMenu TessaroMenu;               /* a menu built by the module */
typedef struct TessaroMenuItem TessaroMenuItem;       /* one entry of such a menu */

/* Called on the user-interface thread when the copy of an entry is chosen. */
typedef void (*TessaroMenuClick)(void *userData);

typedef struct TessaroHostApi
{
    int abiVersion;  /* TESSARO_ADDON_ABI_VERSION */
    size_t size;     /* sizeof(TessaroHostApi) of the host; later versions only append */

    /* Screen and application. */
    int (*screenWidth)(TessaroScreen *screen);
    int (*screenHeight)(TessaroScreen *screen);
    const char *(*applicationName)(TessaroHostApplication *application);
    const char *(*applicationVersion)(TessaroHostApplication *application);

    /* Windows: the main window or a document window. */
    const char *(*windowCaption)(TessaroWindow *window);
    /* The window's QWidget*, for modules built with the host's Qt version; else unused. */
    void *(*windowWidget)(TessaroWindow *window);

    /* A document's header or lines, as the window shows them. Rows and columns count
     * from 0; the current row is the one the user is on, -1 when none. */
    int (*tableRowCount)(TessaroTable *table);
    int (*tableCurrentRow)(TessaroTable *table);
    int (*tableFieldCount)(TessaroTable *table);
    const char *(*tableFieldName)(TessaroTable *table, int column);
    /* The value of a field (by name, letter case ignored) as text: numbers with '.' as
     * decimal point, dates as YYYY-MM-DD, an empty value as "". NULL when the row or the
     * field does not exist. */
    const char *(*tableValue)(TessaroTable *table, int row, const char *field);

    /* Menus. menuAddItem appends an entry to a menu (or to the sub-entries of an entry
     * when parentItem is not NULL); caption "-" makes a separator. shortcut is a key
     * sequence text such as "Ctrl+Shift+R", or NULL; hint is shown in the status line. */
    TessaroMenu *(*menuCreate)(void);
    TessaroMenuItem *(*menuAddItem)(TessaroMenu *menu, TessaroMenuItem *parentItem,
                                    const char *caption, int groupIndex);
    void (*menuItemSetShortcut)(TessaroMenuItem *item, const char *shortcut);
    void (*menuItemSetHint)(TessaroMenuItem *item, const char *hint);
    void (*menuItemSetChecked)(TessaroMenuItem *item, int checked);
    void (*menuItemSetEnabled)(TessaroMenuItem *item, int enabled);
    void (*menuItemSetClick)(TessaroMenuItem *item, TessaroMenuClick click, void *userData);
    /* Frees a menu the module decides not to return. */
    void (*menuFree)(TessaroMenu *menu);
} TessaroHostApi;

/* Entry point signatures. */
typedef void (*TessaroInitAddOnDLL)(TessaroScreen *screen, TessaroHostApplication *application,
                                    const TessaroHostApi *api);
typedef void (*TessaroClearAddOnDLL)(void);
/* Receives the settings path of the special reports, "SOFTWARE\Brindell\Tessaro\AddOns\
 * SpecRap\" (group "AddOns/SpecRap" of the same system-scope settings). */
typedef void (*TessaroDtlAddOnDLL)(const char *settingsPath);
/* The main window; returns a menu to merge into the main menu, or NULL. */
typedef TessaroMenu *(*TessaroAddOnMainForm)(TessaroWindow *mainWindow);
/* The data directory now in use, ending in '/'; "" when none is open. */
typedef void (*TessaroAddOnChangeDB)(const char *dataDirectory);
typedef const char *(*TessaroAddOnGetName)(void);
/* An entry- or exit-document window, its document headers and its lines; returns a
 * menu to merge into the window's menu, or NULL. */
typedef TessaroMenu *(*TessaroAddOnDocForm)(TessaroWindow *window, TessaroTable *documents,
                                            TessaroTable *lines);
typedef void (*TessaroAddOnAddTables)(void);

#ifdef __cplusplus
}
#endif

#endif /* TESSARO_ADDON_H */
