#pragma once

#include "app/AddOnHost.h"
#include "app/Parameters.h"
#include "app/Workstation.h"
#include "app/forms/StartupServices.h"
#include "printing/PrintContext.h"

#include <memory>

class Database;
class Messages;

// What the windowed program works with besides its main window: the connection to the
// data directory in use, the application parameters and the print settings. It fills the
// main window's hooks with the subsystems that do the work.
class DesktopServices
{
public:
    DesktopServices(const Workstation &workstation, Messages &messages);
    ~DesktopServices();

    StartupServices hooks();

    // The open data directory's connection; nullptr while none is open.
    Database *database() const { return m_db.get(); }
    Parameters &parameters() { return m_parameters; }
    PrintContext &print() { return m_print; }
    AddOnHost &addOns() { return m_addOns; }
    const Workstation &workstation() const { return m_workstation; }

    // The open connection; without one tells the user and returns nullptr.
    Database *requireDatabase();
    static QString noDatabaseText();

private:
    // Connects to a directory that has just been validated; empty on failure (told).
    QString connect(const QString &directory);

    Workstation m_workstation;
    Messages &m_messages;
    std::unique_ptr<Database> m_db;
    Parameters m_parameters;
    PrintContext m_print;
    AddOnHost m_addOns;
};
