#include "config/view_settings.h"

#include "config/colour_table.h"
#include "config/profile_readers.h"
#include "config/view_keys.h"
#include "state/launcher_state.h"

// A colour setting takes the file's number only when it names a colour of the table;
// anything above keeps the setting as it was.
static void readColourSetting(const char* key, std::int32_t& setting) {
    std::int32_t value = setting;
    readProfileNumber(kViewSectionName, key, value);
    if (isColourNumber(value)) setting = value;
}

void readViewSettings() {
    ViewSettings& view = launcherState.view;
    for (const ViewKey& key : kViewKeys) {
        switch (key.kind) {
            case ViewKind::Flag:
                readProfileFlag(kViewSectionName, key.name, view.*key.number);
                break;
            case ViewKind::Number:
                readProfileNumber(kViewSectionName, key.name, view.*key.number);
                break;
            case ViewKind::Colour:
                readColourSetting(key.name, view.*key.number);
                break;
            case ViewKind::Text:
                readProfileText(kViewSectionName, key.name, view.*key.text, sizeof(view.*key.text));
                break;
        }
    }
}
