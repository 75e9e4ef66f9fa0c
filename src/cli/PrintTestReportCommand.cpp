#include "cli/PrintTestReportCommand.h"

#include "app/Workstation.h"
#include "cli/ReportOutput.h"
#include "printing/TestReport.h"

#include <QDate>

CliCommand printTestReportCommand()
{
    CliCommand c;
    c.name = QStringLiteral("print-test-report");
    c.synopsis = ReportOutput::synopsis();
    c.summary = QStringLiteral("raportul de proba al listarii (PDF si CSV)");
    c.run = [](const QStringList &arguments, QTextStream &out, QTextStream &err) {
        QStringList args = arguments;
        ReportOutputOptions options;
        if (!ReportOutput::takeOptions(args, options, err))
            return 2;
        if (!args.isEmpty()) {
            err << QStringLiteral("Argument necunoscut: %1\n").arg(args.first());
            return 2;
        }
        if (options.isEmpty()) {
            err << QStringLiteral("Indicati --pdf FISIER sau --csv FISIER.\n");
            return 2;
        }
        if (!ReportOutput::checkTargets(options, err))
            return 1;
        PrintSettings settings;
        settings.load(Workstation::fromEnvironment().iniPath());
        settings.applyPreset(PrintSettings::Landscape);
        const QDate today = QDate::currentDate();
        return ReportOutput::write(TestReport::definition(today), TestReport::rows(3, 3, 14), settings, options,
                                   out, err);
    };
    return c;
}
