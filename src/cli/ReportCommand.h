#pragma once

#include "cli/CliCommand.h"

// `tessaro report NAME --data DIR --date YYYY-MM-DD ...`: the depreciation situations
// at a date, headless, as PDF and/or CSV.
CliCommand reportCommand();
