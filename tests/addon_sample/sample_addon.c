/* A sample add-on module used by the tests. Every call it receives is appended as one
 * line to the file named by the environment variable TESSARO_ADDON_LOG, so that the
 * test can follow the host's calls even after the module has been unloaded.
 *
 * Built three times: as a "Qdr" module with a name, as a "Dtl" module without one
 * (SAMPLE_DTL), and without ClearAddOnDLL (SAMPLE_NO_CLEAR), which the host refuses. */
#include "tessaro_addon.h"

#include <stdio.h>
#include <stdlib.h>

#ifdef SAMPLE_DTL
#define ENTRY(name) Dtl##name
#else
#define ENTRY(name) Qdr##name
#endif

static const TessaroHostApi *api;
static TessaroWindow *mainWindow;

static void logLine(const char *what, const char *detail)
{
    const char *path = getenv("TESSARO_ADDON_LOG");
    if (!path)
        return;
    FILE *file = fopen(path, "a");
    if (!file)
        return;
    fprintf(file, "%s%s%s\n", what, detail ? ":" : "", detail ? detail : "");
    fclose(file);
}

#ifndef SAMPLE_DTL
static void reportClicked(void *userData)
{
    logLine("Click", (const char *)userData);
    if (mainWindow)
        logLine("Caption", api->windowCaption(mainWindow));
}

static void documentClicked(void *userData)
{
    logLine("DocClick", (const char *)userData);
}
#endif

TESSARO_ADDON_EXPORT void InitAddOnDLL(TessaroScreen *screen, TessaroHostApplication *application,
                                       const TessaroHostApi *hostApi)
{
    (void)screen;
    api = hostApi;
    logLine("Init", api->applicationName(application));
}

#ifndef SAMPLE_NO_CLEAR
TESSARO_ADDON_EXPORT void ClearAddOnDLL(void)
{
    logLine("Clear", NULL);
    mainWindow = NULL;
}
#endif

#ifdef SAMPLE_DTL
TESSARO_ADDON_EXPORT void DtlAddOnDLL(const char *settingsPath)
{
    logLine("Dtl", settingsPath);
}
#else
TESSARO_ADDON_EXPORT const char *QdrAddOnGetName(void)
{
    return "Rapoarte speciale";
}
#endif

#ifdef SAMPLE_DTL
/* No menu: this module only wants to know the data directory. */
TESSARO_ADDON_EXPORT TessaroMenu *DtlAddOnMainForm(TessaroWindow *window)
{
    mainWindow = window;
    logLine("MainForm", api->windowCaption(window));
    return NULL;
}
#else
TESSARO_ADDON_EXPORT TessaroMenu *QdrAddOnMainForm(TessaroWindow *window)
{
    TessaroMenu *menu;
    TessaroMenuItem *reports;
    TessaroMenuItem *item;

    mainWindow = window;
    logLine("MainForm", api->windowCaption(window));
    menu = api->menuCreate();
    reports = api->menuAddItem(menu, NULL, "Listari", TESSARO_GROUP_LISTARI);
    /* Group 1: after the main menu's own "Listari" entries, which have group 0. */
    api->menuAddItem(menu, reports, "-", 1);
    item = api->menuAddItem(menu, reports, "Situatie speciala", 1);
    api->menuItemSetHint(item, "Situatie livrata de modul");
    api->menuItemSetShortcut(item, "Ctrl+Shift+S");
    api->menuItemSetClick(item, reportClicked, (void *)"Situatie speciala");
    item = api->menuAddItem(menu, NULL, "Module", 5);
    item = api->menuAddItem(menu, item, "Despre modul", 0);
    api->menuItemSetEnabled(item, 0);
    return menu;
}
#endif

TESSARO_ADDON_EXPORT void ENTRY(AddOnChangeDB)(const char *dataDirectory)
{
    logLine("ChangeDB", dataDirectory);
}

#ifndef SAMPLE_DTL
TESSARO_ADDON_EXPORT TessaroMenu *QdrAddOnDocInForm(TessaroWindow *window, TessaroTable *documents,
                                                    TessaroTable *lines)
{
    TessaroMenu *menu;
    TessaroMenuItem *item;
    char count[32];
    int row = api->tableCurrentRow(documents);
    const char *number = api->tableValue(documents, row, "nr_doc");

    logLine("DocIn", api->windowCaption(window));
    logLine("DocNumber", number ? number : "(none)");
    snprintf(count, sizeof count, "%d", api->tableRowCount(lines));
    logLine("Lines", count);

    menu = api->menuCreate();
    item = api->menuAddItem(menu, NULL, "Tiparire speciala", 0);
    api->menuItemSetClick(item, documentClicked, (void *)"Tiparire speciala");
    return menu;
}
#endif
