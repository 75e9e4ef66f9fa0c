#include "app/forms/DesktopServices.h"

#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/forms/AddOnMenuMerge.h"
#include "app/forms/TDefaultDlg.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/VersionStore.h"
#include "db/forms/TDBValidMsgForm.h"
#include "printing/forms/QPrinterDevice.h"

#include <QSqlDatabase>

DesktopServices::DesktopServices(const Workstation &workstation, Messages &messages)
    : m_workstation(workstation), m_messages(messages),
      m_print(std::make_unique<QPrinterDevice>()), m_addOns(messages)
{
    m_parameters.loadProgramOptions(workstation.iniPath());
}

DesktopServices::~DesktopServices()
{
    m_addOns.unloadAll();
}

QString DesktopServices::noDatabaseText()
{
    return QStringLiteral("Nu este deschisa nicio baza de date. "
                          "Deschideti una din \"Buget de lucru\".");
}

Database *DesktopServices::requireDatabase()
{
    if (!m_db)
        m_messages.warning(noDatabaseText());
    return m_db.get();
}

QString DesktopServices::connect(const QString &directory)
{
    m_db.reset();
    if (directory.isEmpty())
        return {};
    try {
        auto db = std::make_unique<Database>(directory, m_workstation);
        db->open();
        m_db = std::move(db);
        return directory;
    } catch (const DbError &error) {
        m_messages.error(error.userText());
        return {};
    }
}

StartupServices DesktopServices::hooks()
{
    StartupServices s;
    s.openLastDatabase = [this](QWidget *parent) {
        m_db.reset(); // the validation opens the directory on its own connection
        return connect(TDBValidMsgForm::openLastDatabase(parent, m_messages, m_workstation));
    };
    s.selectDatabase = [this](QWidget *parent, const QString &current) {
        const QString previous = m_db ? m_db->dataDirectory() : QString();
        m_db.reset();
        const QString chosen = TDBValidMsgForm::selectDatabase(parent, m_messages, m_workstation, current);
        if (!chosen.isEmpty() && !connect(chosen).isEmpty())
            return chosen;
        // Cancelled or failed: back to the directory that was open.
        if (!previous.isEmpty())
            connect(previous);
        return QString();
    };
    s.loadParameters = [this](const QString &directory) {
        m_parameters.loadOrReport(directory, NationalFormats::current(), m_messages);
    };
    s.loadAddOns = [this](QMenuBar *menu, const QString &directory) {
        AddOnMenuMerge::load(m_addOns, AddOnHost::systemModuleList(), menu, directory);
    };
    s.addOnsChangeDirectory = [this](const QString &directory) { m_addOns.setDataDirectory(directory); };
    s.readPrintSettings = [this](const QString &iniPath) { m_print.readSettings(iniPath); };
    s.writePrintSettings = [this](const QString &iniPath) { m_print.writeSettings(iniPath); };
    s.storeVersion = [this](const QString &, const QString &version) {
        if (!m_db)
            return;
        try {
            VersionStore(*m_db).store(version);
        } catch (const DbError &error) {
            m_messages.error(error.userText());
        }
    };
    s.editParameters = [this](QWidget *parent, const QString &directory) {
        // The parameters are saved in the data directory: there must be one.
        if (directory.isEmpty()) {
            m_messages.warning(noDatabaseText());
            return;
        }
        const QSqlDatabase db = m_db ? QSqlDatabase::database(m_db->connectionName(), false)
                                     : QSqlDatabase();
        TDefaultDlg::editParameters(m_parameters, NationalFormats::current(), m_messages, db,
                                    {directory, m_workstation.iniPath()}, parent);
    };
    return s;
}
