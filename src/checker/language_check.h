// The language sections: the languages that lead to each, the section really in force
// after the title fallback, and the title, prompt and entries of every section in force.
#pragma once

#include <string>
#include <vector>

class MenuFileViews;
struct Picture;
class MenuLines;
class Report;

// Needs launcherState.view read (checkViewSection) and the menu file and medium root set.
// `names` are the file's section names. Each section is read the way the systems of its
// code page read it (`views`), and for a UTF-16 file every text is checked for characters
// that code page lacks (`lines`). With a `picture`, each caption's contrast on it too, and
// for captions short of it the colours of the table that pass behind every caption.
void checkLanguageSections(const std::vector<std::string>& names, MenuFileViews& views,
                           const MenuLines& lines, const Picture* picture, Report& report);
