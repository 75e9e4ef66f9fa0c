#pragma once

#include "cli/CliCommand.h"

// `tessaro demo DIR [--assets N] [--today YYYY-MM-DD]`: a new data directory holding
// the demo register.
CliCommand demoCommand();
