// The menu's process-wide state, set up for one check and put back afterwards. The checker
// reads the menu file with the menu's own code, which works on launcherState: a check sets
// there what that code needs, runs it, and leaves launcherState as it found it.
#pragma once

#include "state/launcher_state.h"

// Keeps launcherState as it is when made and puts it back when it goes, after releasing the
// entries the menu's code loaded meanwhile: those in launcherState.menuItems then that were
// not there before.
class MenuStateScope {
public:
    MenuStateScope();
    ~MenuStateScope();
    MenuStateScope(const MenuStateScope&) = delete;
    MenuStateScope& operator=(const MenuStateScope&) = delete;

private:
    LauncherState kept_;
};

// Puts the language fields of launcherState (section, title, prompt, character set) back to
// their values at process start, which the menu's choice of section expects.
void resetLanguageState();
