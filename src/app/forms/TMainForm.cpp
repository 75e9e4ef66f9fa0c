#include "app/forms/TMainForm.h"

#include "ui_TMainForm.h"

#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/ProgramVersion.h"
#include "app/Refreshable.h"
#include "app/Status.h"
#include "app/ChildPlacement.h"
#include "app/forms/BackgroundMdiArea.h"
#include "app/forms/MainPictures.h"
#include "app/forms/StatusTargets.h"
#include "app/forms/WindowMenu.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>

namespace {
constexpr int VersionDelayMs = 3000;

QString withSlash(QString path)
{
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

TMainForm::TMainForm(const Workstation &workstation, Messages &messages, StartupServices services,
                     const QString &legacyLayoutDirectory, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>()), m_workstation(workstation),
      m_messages(messages), m_services(std::move(services)),
      m_legacyLayoutDirectory(legacyLayoutDirectory), m_ini(workstation.iniPath()),
      m_privateDirectory(workstation.privateDirectory())
{
    ui->setupUi(this);
    setupLooks();
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

QString TMainForm::plainCaption()
{
    return QStringLiteral("Evidenta mijloacelor fixe");
}

QString TMainForm::contactLine()
{
    return QStringLiteral("Brindell Software - www.brindell.ro - suport@brindell.ro - tel. 0264 431 520");
}

QMdiArea *TMainForm::mdiArea() const
{
    return ui->MdiClient;
}

void TMainForm::setupLooks()
{
    setWindowIcon(MainPictures::windowIcon());

    // Banner: white text on the highlight colour.
    QPalette banner = ui->Banner->palette();
    banner.setColor(QPalette::Window, banner.color(QPalette::Active, QPalette::Highlight));
    banner.setColor(QPalette::WindowText, Qt::white);
    ui->Banner->setPalette(banner);
    ui->Banner->setAutoFillBackground(true);
    QFont bannerFont = ui->Banner->font();
    bannerFont.setBold(true);
    ui->Banner->setFont(bannerFont);
    ui->Banner->setText(contactLine());

    ui->Panel1->setStyleSheet(QStringLiteral(
        "#Panel1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        "  stop:0 #3b6496, stop:1 #1f3b63); border-top: 1px solid #6f93c0; }"
        "#Panel1 QToolButton { color: white; font-weight: bold; border: 1px solid transparent;"
        "  border-radius: 4px; padding: 2px 4px; }"
        "#Panel1 QToolButton:hover { background: rgba(255, 255, 255, 38);"
        "  border-color: rgba(255, 255, 255, 70); }"
        "#Panel1 QToolButton:pressed { background: rgba(0, 0, 0, 45); }"
        "#Panel1 QToolButton:disabled { color: rgba(255, 255, 255, 115); }"));
    ui->PanelPicture->setPixmap(MainPictures::panelPicture(56));

    ui->SpeedDocIn->setIcon(MainPictures::documentIn());
    ui->SpeedFurn->setIcon(MainPictures::suppliers());
    ui->SpeedArt->setIcon(MainPictures::classification());
    ui->SpeedPay2->setIcon(MainPictures::managementUnits());
    ui->SpeedCln->setIcon(MainPictures::custodians());
    ui->SpeedStocks->setIcon(MainPictures::stocks());
    ui->SpeedDocOut->setIcon(MainPictures::documentOut());
    ui->DocIn1->setIcon(MainPictures::documentIn());
    ui->DocOut1->setIcon(MainPictures::documentOut());
    ui->Furnizori1->setIcon(MainPictures::suppliers());
    ui->Catalog1->setIcon(MainPictures::classification());
    ui->Gestiuni1->setIcon(MainPictures::managementUnits());
    ui->Gestionari1->setIcon(MainPictures::custodians());
    ui->Stocks1->setIcon(MainPictures::stocks());

    connectButton(ui->SpeedDocIn, ui->DocIn1);
    connectButton(ui->SpeedFurn, ui->Furnizori1);
    connectButton(ui->SpeedArt, ui->Catalog1);
    connectButton(ui->SpeedPay2, ui->Gestiuni1);
    connectButton(ui->SpeedCln, ui->Gestionari1);
    connectButton(ui->SpeedStocks, ui->Stocks1);
    connectButton(ui->SpeedDocOut, ui->DocOut1);

    // The form description gives menus their hint; the menu bar shows the menu action's.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->menuAction()->setStatusTip(menu->statusTip());

    // "Fisa mijloacelor fixe" opens the current stocks, where the card is printed.
    connect(ui->AssetCard1, &QAction::triggered, ui->Stocks1, &QAction::trigger);
    connect(ui->Stocks1, &QAction::enabledChanged, ui->AssetCard1, &QAction::setEnabled);
    ui->AssetCard1->setEnabled(ui->Stocks1->isEnabled());

    // Ctrl+I opens the "&Sistem" menu.
    auto *sistem = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this);
    sistem->setObjectName(QStringLiteral("SistemShortcut"));
    connect(sistem, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(ui->SistemMenu->menuAction()); });

    new WindowMenu(ui->FerestreMenu, ui->Cascade1, ui->Tile1, ui->CloseAll1, ui->MdiClient);

    connect(ui->Exit1, &QAction::triggered, this, &QWidget::close);
    connect(ui->DeleteCfg1, &QAction::triggered, this, &TMainForm::DeleteCfgClick);
    connect(ui->ChangeDB, &QAction::triggered, this, &TMainForm::ChangeDBClick);
    connect(ui->Parametri1, &QAction::triggered, this, &TMainForm::ParametriClick);
    connect(ui->OnlineUpdate1, &QAction::triggered, this, &TMainForm::OnlineUpdateClick);
}

void TMainForm::connectButton(QToolButton *button, QAction *action)
{
    button->setStatusTip(action->statusTip());
    button->setEnabled(action->isEnabled());
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

void TMainForm::setHint(const QString &hint)
{
    m_hint = hint;
    for (QWidget *w : {static_cast<QWidget *>(ui->Banner), static_cast<QWidget *>(ui->MdiClient),
                       static_cast<QWidget *>(ui->Panel1), static_cast<QWidget *>(ui->PanelPicture)})
        w->setStatusTip(hint);
}

void TMainForm::FormCreate()
{
    // 1. The MDI client area paints the background picture (BackgroundMdiArea).
    // 2. Hints reach the status line through event(); exceptions reaching the event loop
    //    are reported by TessaroApplication; SQLite needs no idle-time call.
    setWindowTitle(plainCaption());
    setHint(contactLine());
    // 3.
    NationalFormats::setNational();
    // 4. The INI file was read by m_ini's constructor.
    // 5. Paradox table passwords have no counterpart in SQLite: nothing to register.
    // 6. The product key name is the application name "Tessaro" (set by runGui).

    // 10 (moved before 7): the data directory's connection attaches the private database,
    // so its folder must exist before a data directory is opened.
    if (!m_privateDirectory.prepare(m_legacyLayoutDirectory))
        m_messages.error(QStringLiteral("Nu se poate crea directorul privat al statiei de lucru:\n%1")
                             .arg(m_privateDirectory.path()));

    // 7. Open the data directory used last; without one the program runs with its plain
    //    caption and "&Buget de lucru" tries again.
    if (m_services.openLastDatabase) {
        const QString opened = m_services.openLastDatabase(this);
        if (!opened.isEmpty())
            openDataDirectory(opened, plainCaption());
    }

    // 8.
    m_options = IniOptions::read(m_ini);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_refreshTimer, &QTimer::timeout, this, &TMainForm::refreshChildren);
    if (m_options.refreshIntervalMs() > 0) {
        m_refreshTimer->setInterval(m_options.refreshIntervalMs());
        m_refreshTimer->start();
    }

    // 9.
    if (m_services.loadAddOns)
        m_services.loadAddOns(menuBar(), m_dataDirectory);

    // 11.
    m_selection = WorkingSelection::startingOn(QDate::currentDate());

    // 12.
    m_statusTarget = std::make_unique<LabelStatusTarget>(ui->StatusLine);
    Status::registerTarget(m_statusTarget.get());

    // 13.
    ui->MdiClient->loadPicture(m_options.imageBackground);

    // 14.
    if (m_services.readPrintSettings)
        m_services.readPrintSettings(m_workstation.iniPath());

    // 15. The validation window belongs to the openLastDatabase call and is gone by now.

    // 16.
    if (!m_dataDirectory.isEmpty() && m_services.storeVersion)
        m_services.storeVersion(m_dataDirectory, ProgramVersion::current());

    // Commands whose work exists in this build.
    ui->ChangeDB->setEnabled(bool(m_services.selectDatabase));
    ui->Parametri1->setEnabled(bool(m_services.editParameters));
    ui->OnlineUpdate1->setEnabled(bool(m_services.onlineUpdate));

    m_versionTimer = new QTimer(this);
    m_versionTimer->setObjectName(QStringLiteral("Timer2"));
    m_versionTimer->setSingleShot(true);
    m_versionTimer->setInterval(VersionDelayMs);
    connect(m_versionTimer, &QTimer::timeout, this, &TMainForm::Timer2Timer);
    m_versionTimer->start();
}

void TMainForm::FormDestroy()
{
    if (m_services.writePrintSettings)
        m_services.writePrintSettings(m_workstation.iniPath());
    IniOptions::writeAtExit(m_ini);
    Status::registerTarget(nullptr);
}

void TMainForm::openDataDirectory(const QString &directory, const QString &captionPrefix)
{
    m_dataDirectory = withSlash(directory);
    setWindowTitle(captionPrefix + QStringLiteral(" - ") + m_dataDirectory);
    if (m_services.loadParameters)
        m_services.loadParameters(m_dataDirectory);
}

void TMainForm::Timer2Timer()
{
    m_versionTimer->stop();
    m_version = ProgramVersion::current();
    if (!m_dataDirectory.isEmpty() && m_services.storeVersion)
        m_services.storeVersion(m_dataDirectory, m_version);
    setHint(m_hint + QStringLiteral(" - Versiunea ") + m_version);
    if (m_options.checkForNewVersion && m_services.quietVersionCheck)
        m_services.quietVersionCheck(this, m_version);
}

bool TMainForm::event(QEvent *event)
{
    // Hints of menus, buttons and panels go to our own status line.
    if (event->type() == QEvent::StatusTip) {
        ui->StatusLine->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // Children close first, so that they save their work and their grid layouts.
    ui->MdiClient->closeAllSubWindows();
    if (!ui->MdiClient->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

QMdiSubWindow *TMainForm::openChild(const QString &name, const std::function<QWidget *()> &create)
{
    for (QMdiSubWindow *sub : ui->MdiClient->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == name) {
            if (sub->isMinimized())
                sub->showNormal();
            ui->MdiClient->setActiveSubWindow(sub);
            return sub;
        }
    }
    QWidget *widget = create();
    if (!widget)
        return nullptr;
    widget->setObjectName(name);
    QMdiSubWindow *sub = ui->MdiClient->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Grids want room: a new child takes most of the client area unless it asks for more,
    // and never more than the area; it opens a title bar below and right of the one before.
    const QRect area = ui->MdiClient->viewport()->rect();
    const QSize wanted(qMax(sub->sizeHint().width(), area.width() * 3 / 4),
                       qMax(sub->sizeHint().height(), area.height() * 3 / 4));
    std::optional<QPoint> previous;
    if (m_lastPlaced && m_lastPlaced != sub && !m_lastPlaced->isMinimized() && !m_lastPlaced->isMaximized())
        previous = m_lastPlaced->pos();
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 4;
    const QRect placed = ChildPlacement::place(area, wanted, previous, step);
    sub->setGeometry(placed);
    sub->show();
    // Showing may move a window the area had not placed itself; the place chosen stands.
    if (sub->geometry() != placed && !sub->isMaximized())
        sub->setGeometry(placed);
    m_lastPlaced = sub;
    ui->MdiClient->setActiveSubWindow(sub);
    return sub;
}

bool TMainForm::setCommand(const QString &actionName, const std::function<void()> &command)
{
    QAction *action = findChild<QAction *>(actionName);
    if (!action)
        return false;
    connect(action, &QAction::triggered, this, [command] { command(); });
    action->setEnabled(true);
    return true;
}

bool TMainForm::refuseWhileChildrenOpen()
{
    if (ui->MdiClient->subWindowList().isEmpty())
        return false;
    m_messages.warning(QStringLiteral("Inchideti toate ferestrele!"));
    return true;
}

void TMainForm::refreshChildren()
{
    for (QMdiSubWindow *sub : ui->MdiClient->subWindowList()) {
        if (auto *child = dynamic_cast<Refreshable *>(sub->widget()))
            child->refreshData();
        else if (auto *frame = dynamic_cast<Refreshable *>(sub))
            frame->refreshData();
    }
}

void TMainForm::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::ChangeDBClick()
{
    if (refuseWhileChildrenOpen() || !m_services.selectDatabase)
        return;
    const QString chosen = m_services.selectDatabase(this, m_dataDirectory);
    if (!chosen.isEmpty()) {
        openDataDirectory(chosen, QStringLiteral("Gestiune de stocuri"));
        if (m_services.addOnsChangeDirectory)
            m_services.addOnsChangeDirectory(m_dataDirectory);
    } else if (!m_dataDirectory.isEmpty() && m_services.addOnsChangeDirectory) {
        m_services.addOnsChangeDirectory(m_dataDirectory);
    }
}

void TMainForm::ParametriClick()
{
    if (refuseWhileChildrenOpen() || !m_services.editParameters)
        return;
    m_services.editParameters(this, m_dataDirectory);
}

void TMainForm::OnlineUpdateClick()
{
    if (refuseWhileChildrenOpen() || !m_services.onlineUpdate)
        return;
    m_services.onlineUpdate(this, m_version.isEmpty() ? ProgramVersion::current() : m_version);
}

void TMainForm::DeleteCfgClick()
{
    m_privateDirectory.resetLayouts(m_messages);
}
