#include "app/forms/GuiMain.h"

#include "app/SingleInstance.h"
#include "app/Workstation.h"
#include "app/forms/BoxMessages.h"
#include "app/forms/DesktopServices.h"
#include "app/forms/MainCommands.h"
#include "app/forms/MainPictures.h"
#include "app/forms/QtTexts.h"
#include "app/forms/TMainForm.h"
#include "app/forms/TessaroApplication.h"

#include <QScreen>

int runGui(int argc, char **argv)
{
    TessaroApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brindell"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaro"));
    QApplication::setWindowIcon(MainPictures::windowIcon());
    QtTexts::install(app);

    const Workstation workstation = Workstation::fromEnvironment();
    SingleInstance instance(SingleInstance::serverNameFor(workstation.directory()));
    if (!instance.start())
        return 0; // the running copy has been asked to show itself

    BoxMessages messages;
    app.setMessages(&messages);

    DesktopServices services(workstation, messages);
    TMainForm window(workstation, messages, services.hooks());
    messages.setParent(&window);
    registerMainCommands(window, services, messages);
    QObject::connect(&instance, &SingleInstance::showRequested, &window, &TMainForm::bringToFront);
    // Without a window manager "maximised" means nothing; fill the screen anyway.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    const int result = app.exec();
    app.setMessages(nullptr);
    return result;
}
