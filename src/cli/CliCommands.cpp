#include "cli/CliCommand.h"
#include "cli/InitCommand.h"
#include "cli/PrintTestReportCommand.h"
#include "cli/RecalcCommand.h"
#include "cli/StockAtCommand.h"

// Later commands are added here, each implemented in its own file of this folder.
QList<CliCommand> cliCommands()
{
    return {initCommand(), printTestReportCommand(), recalcCommand(), stockAtCommand()};
}
