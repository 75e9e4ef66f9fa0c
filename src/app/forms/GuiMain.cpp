#include "app/forms/GuiMain.h"

#include <QApplication>
#include <QMainWindow>

int runGui(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brindell"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaro"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Evidenta mijloacelor fixe"));
    window.showMaximized();
    return app.exec();
}
