#pragma once

#include "cli/CliCommand.h"

// `tessaro print-test-report --pdf FILE --csv FILE`: the engine's test report through the
// shared report output path, to check a workstation's printing without data.
CliCommand printTestReportCommand();
