#include "cli/CliCommand.h"
#include "cli/DemoCommand.h"
#include "cli/InitCommand.h"
#include "cli/PrintCommand.h"
#include "cli/PrintTestReportCommand.h"
#include "cli/RecalcCommand.h"
#include "cli/ReportCommand.h"
#include "cli/StockAtCommand.h"

// Every headless command, in the order --help lists them; each lives in its own file.
QList<CliCommand> cliCommands()
{
    return {initCommand(),   demoCommand(),    recalcCommand(),
            stockAtCommand(), reportCommand(),  printCommand(),
            printTestReportCommand()};
}
