#pragma once

#include <QString>

#include <functional>

class QMenuBar;
class QWidget;

// The work the main window hands to other subsystems while it starts, runs and stops.
// Each hook is filled by the subsystem that owns the work; an empty hook means that work
// is not available in this build, and the main window then does exactly nothing for it
// (no data directory, no parameters, ...). Nothing here ever reports a success it did not
// have.
struct StartupServices
{
    // Start-up step 7: open the data directory used last (validation, creation, upgrade,
    // daily copy), showing progress over the given window. Returns the opened directory,
    // or an empty text when none could be opened (the failure already told the user).
    std::function<QString(QWidget *parent)> openLastDatabase;

    // "&Buget de lucru": let the user pick or create another data directory and validate it.
    // Returns the new directory, or empty on cancel/failure; then the directory that was
    // open (possibly none) is pointed at again.
    std::function<QString(QWidget *parent, const QString &currentDirectory)> selectDatabase;

    // Load the application parameters of an opened data directory ("PVLDEF.INI").
    std::function<void(const QString &dataDirectory)> loadParameters;

    // Start-up step 9: load the add-on modules, let them add their menus, give them the
    // data directory (possibly empty).
    std::function<void(QMenuBar *menu, const QString &dataDirectory)> loadAddOns;
    // Tell the add-on modules which data directory is now (again) in use.
    std::function<void(const QString &dataDirectory)> addOnsChangeDirectory;

    // Start-up step 14 / destruction: the print settings of the program INI file.
    std::function<void(const QString &iniPath)> readPrintSettings;
    std::function<void(const QString &iniPath)> writePrintSettings;

    // Start-up step 16 and the 3-second timer: record the program version in the data
    // directory ("Versiune"). Only called while a data directory is open.
    std::function<void(const QString &dataDirectory, const QString &version)> storeVersion;

    // After the 3-second timer, when "Check for new version" is on: the quiet online check.
    std::function<void(QWidget *parent, const QString &version)> quietVersionCheck;

    // Commands that refuse while a child window is open.
    std::function<void(QWidget *parent, const QString &dataDirectory)> editParameters; // "Parametri aplicatiei"
    std::function<void(QWidget *parent, const QString &version)> onlineUpdate;          // "Actualizare online"
};
