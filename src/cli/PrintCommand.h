#pragma once

#include "cli/CliCommand.h"

// `tessaro print DOCUMENT --data DIR --contor N ...`: the printout of one document,
// headless, as PDF and/or CSV, built by the same code as its window.
CliCommand printCommand();
