#include "state/launcher_state.h"

LauncherState launcherState;
