#pragma once

#include "platform/launcherstart.h"

// The window module's entry point, loaded by the executable.
extern "C" int brennomix_run_launcher(const LauncherStart* start);
