#include "app/forms/GuiMain.h"
#include "cli/Cli.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc > 1) {
        // Headless commands never need a display, but PDF output needs a GUI application.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("Brindell"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runCli(app.arguments().mid(1), out, err);
    }
    return runGui(argc, argv);
}
