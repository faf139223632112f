#include "config/language.h"
#include "config/number_text.h"
#include "config/profile_readers.h"
#include "state/launcher_state.h"

static void nameSection(std::int32_t index) { decimalText(index, launcherState.sectionName); }

void loadLanguageSection() { loadLanguageSectionFor(systemLanguageIndex()); }

void loadLanguageSectionFor(std::int32_t languageIndex) {
    launcherState.languageIndex = languageIndex;
    nameSection(launcherState.languageIndex);
    readProfileText(launcherState.sectionName, "Title", launcherState.menuTitle,
                    sizeof launcherState.menuTitle);

    // The title alone decides: a section without one gives way to section "0" as a whole.
    if (launcherState.menuTitle[0] == '\0') {
        launcherState.languageIndex = 0;
        nameSection(0);
        readProfileText(launcherState.sectionName, "Title", launcherState.menuTitle,
                        sizeof launcherState.menuTitle);
    }

    launcherState.textCharset = charsetForLanguageIndex(launcherState.languageIndex);
    // The prompt is kept as written: "\n" in it stays two characters.
    readProfileText(launcherState.sectionName, "Prompt", launcherState.menuPrompt,
                    sizeof launcherState.menuPrompt);
}
