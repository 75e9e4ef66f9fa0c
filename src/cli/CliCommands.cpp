#include "cli/CliCommand.h"

// Later commands are added here, each implemented in its own file of this folder.
QList<CliCommand> cliCommands()
{
    return {};
}
