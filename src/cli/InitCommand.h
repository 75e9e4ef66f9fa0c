#pragma once

#include "cli/CliCommand.h"

// `tessaro init DIR`: makes a new data directory with every table, or checks and
// upgrades an existing one, without asking anything.
CliCommand initCommand();
