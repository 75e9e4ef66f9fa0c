#pragma once

#include "app/IniFile.h"
#include "app/IniOptions.h"
#include "app/PrivateDirectory.h"
#include "app/WorkingSelection.h"
#include "app/Workstation.h"
#include "app/forms/StartupServices.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>

#include <functional>
#include <memory>

class BackgroundMdiArea;
class LabelStatusTarget;
class Messages;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolButton;

namespace Ui {
class TMainForm;
}

// The main window: menu, button bar, status line and the MDI area that holds every
// document, catalogue and report window. It owns the program INI options, the data
// directory in use, the private directory and the working period; the work of each
// command belongs to its own subsystem.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // legacyLayoutDirectory: where older installs left their ".cfg" files (the program's
    // directory); they move into a private directory that is being created.
    TMainForm(const Workstation &workstation, Messages &messages, StartupServices services = {},
              const QString &legacyLayoutDirectory = Workstation::programDirectory(),
              QWidget *parent = nullptr);
    ~TMainForm() override;

    static QString plainCaption();
    // The maker's contact line: the banner text and the window's hint.
    static QString contactLine();

    // Ends with '/'; empty while no data directory is open.
    QString dataDirectory() const { return m_dataDirectory; }
    const Workstation &workstation() const { return m_workstation; }
    const PrivateDirectory &privateDirectory() const { return m_privateDirectory; }
    const IniOptions &options() const { return m_options; }
    // Shared by the report dialogs, which write the user's last choices back.
    WorkingSelection &selection() { return m_selection; }
    // The window's hint: the contact line, with " - Versiunea x.y.z.w" once the version
    // has been stored.
    QString hint() const { return m_hint; }
    // Empty until the 3-second timer has run.
    QString version() const { return m_version; }

    QMdiArea *mdiArea() const;
    QTimer *refreshTimer() const { return m_refreshTimer; }
    QTimer *versionTimer() const { return m_versionTimer; }

    // Single-instance child windows: brings the open child named `name` to the front
    // (restoring it when minimised), or creates it wholly inside the client area,
    // cascaded from the child opened before.
    QMdiSubWindow *openChild(const QString &name, const std::function<QWidget *()> &create);

    // Gives a menu entry its command and enables it (and the button that mirrors it).
    // False when there is no entry of that name.
    bool setCommand(const QString &actionName, const std::function<void()> &command);

    // "Inchideti toate ferestrele!" while any child window is open; true when refused.
    bool refuseWhileChildrenOpen();

    // Tells every child window that can re-read its data to do so.
    void refreshChildren();

    // Asked by a second copy of the program: un-minimise, raise and activate.
    void bringToFront();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void Timer2Timer();
    void ChangeDBClick();
    void ParametriClick();
    void OnlineUpdateClick();
    void DeleteCfgClick();

    void setupLooks();
    void connectButton(QToolButton *button, QAction *action);
    void setHint(const QString &hint);
    void openDataDirectory(const QString &directory, const QString &captionPrefix);

    std::unique_ptr<Ui::TMainForm> ui;
    Workstation m_workstation;
    Messages &m_messages;
    StartupServices m_services;
    QString m_legacyLayoutDirectory;
    IniFile m_ini;
    IniOptions m_options;
    PrivateDirectory m_privateDirectory;
    WorkingSelection m_selection;
    QString m_dataDirectory;
    QString m_hint;
    QString m_version;
    QTimer *m_refreshTimer = nullptr;
    QTimer *m_versionTimer = nullptr;
    std::unique_ptr<LabelStatusTarget> m_statusTarget;
    QPointer<QMdiSubWindow> m_lastPlaced;
};
