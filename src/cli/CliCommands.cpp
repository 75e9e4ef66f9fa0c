#include "cli/CliCommand.h"
#include "cli/InitCommand.h"
#include "cli/PrintTestReportCommand.h"

// Later commands are added here, each implemented in its own file of this folder.
QList<CliCommand> cliCommands()
{
    return {initCommand(), printTestReportCommand()};
}
