#pragma once

#include "cli/CliCommand.h"

// `tessaro recalc --data DIR`: rebuilds the current stock from all documents.
CliCommand recalcCommand();
