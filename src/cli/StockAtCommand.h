#pragma once

#include "cli/CliCommand.h"

// `tessaro stock-at --data DIR --date YYYY-MM-DD [--units A1,B2] --csv FILE`: the stock
// at a date per stock key, as CSV.
CliCommand stockAtCommand();
