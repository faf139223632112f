// The language sections: the languages that lead to each, the section really in force
// after the title fallback, and the title, prompt and entries of every section in force.
#pragma once

#include <string>
#include <vector>

class Report;

// Needs launcherState.view read (checkViewSection) and the menu file and medium root set.
// `names` are the file's section names.
void checkLanguageSections(const std::vector<std::string>& names, Report& report);
