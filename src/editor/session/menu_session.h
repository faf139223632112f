// One open menu file as the editor holds it: the document and what is on disk, the undo
// history, the language the author looks at and the section in force for it, the entry the
// entry fields edit, the checker's findings and the menu program beside the file. No window
// and no file call: the window asks the author and reads and writes files, the session
// keeps the rules. Every change goes out through the one listener, once, after the session
// is consistent again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checker/report.h"
#include "editor/document/profile_document.h"
#include "editor/model/edit_history.h"
#include "editor/model/entry_fields.h"
#include "editor/session/field_table.h"

// What an edit did.
enum class Outcome {
    Done,        // the document changed
    Unchanged,   // it already read so, or no file is open: nothing changed
    Refused,     // nothing changed; `reason` says why
    NeedsUtf16,  // nothing changed: the code page of `section` lacks a character of the text.
                 // Called again with Consent::Utf16, the file becomes UTF-16 and it is done.
};

struct EditResult {
    Outcome outcome = Outcome::Unchanged;
    std::u16string reason;
    std::u16string section;
};

// Whether the author agreed to have an ANSI file saved as UTF-16.
enum class Consent { NotAsked, Utf16 };

// What a change touched, as flags.
enum ChangeFlag : unsigned {
    kBytesChanged = 1u,    // the document's bytes: preview, title, findings
    kValuesChanged = 2u,   // values the fields show may differ from what they show
    kSectionChanged = 4u,  // the language looked at or the section in force
    kEntryChanged = 8u,    // the entry the entry fields edit
    kFileChanged = 16u,    // another file, or the same one saved or reloaded
    kFindingsChanged = 32u,
    kProgramChanged = 64u,  // the menu program beside the file
};

struct Change {
    unsigned flags = 0;
    const Field* typed = nullptr;  // the field the author typed in, which shows its value
};

// Where a finding's field is: its language, entry and field.
struct FindingPlace {
    std::int32_t language = 0;
    int entry = 0;
    const Field* field = nullptr;
};

class MenuSession {
public:
    using Listener = std::function<void(const Change&)>;

    // The one listener, told after each change.
    void setListener(Listener listener) { listener_ = std::move(listener); }

    // Opening: the file at `path` (full) read into `document`; `disk` its bytes on disk.
    // `converted`: the document is the file converted (from UTF-8), which counts as an
    // unsaved change until saved. Forgets the history; keeps the language looked at.
    void take(std::u16string path, ProfileDocument document, std::string disk, bool converted);
    // The document was written to disk as `disk`: it counts as saved.
    void saved(std::string disk);
    // The file was written under another name (Save As) as `disk`.
    void savedAs(std::u16string path, std::string disk);

    bool hasFile() const { return !path_.empty(); }
    const std::u16string& path() const { return path_; }
    // The folder of the file, ending in its separator; empty with no file.
    std::u16string folder() const;
    // The bytes on disk as last read or written, to tell whether another program changed them.
    const std::string& disk() const { return disk_; }
    // Unsaved changes: the document's bytes differ from what was last read or saved.
    bool dirty() const { return hasFile() && bytes_ != savedBytes_; }
    const ProfileDocument& document() const { return document_; }
    // The document's bytes, made once per change.
    const std::string& bytes() const { return bytes_; }

    // The author kept their version over a change on disk: not asked again until the next
    // open or save.
    bool keptOverDisk() const { return keptOverDisk_; }
    void keepOverDisk() { keptOverDisk_ = true; }

    // The menu program beside the file (full path; empty for none), looked up by the window
    // on open, on New, after branding and when the folder changes.
    void setMenuProgram(std::u16string program);
    const std::u16string& menuProgram() const { return menuProgram_; }

    // The language section looked at, and the section in force for its systems: the same
    // when it has a title, else [0], as the menu chooses.
    std::int32_t language() const { return language_; }
    std::int32_t section() const { return section_; }
    void setLanguage(std::int32_t index);
    bool inFile(std::int32_t index) const;
    bool canRemoveLanguage() const;

    // The entry the entry fields edit, 0 to 4.
    int entry() const { return entry_; }
    void setEntry(int slot);
    EntryFields entryFields(int slot) const;

    // The value a field shows: text as its control shows it (line breaks for "\n" in Lines
    // fields), "1"/"0" for a check box, a colour's number (the menu's default when the file
    // sets none it takes).
    std::u16string shown(const Field& field) const;

    // Edits. `typing` joins the edit to the step of the author's typing in the same field.
    // A value the field shows already is Unchanged.
    EditResult setField(const Field& field, const std::u16string& shownValue, Consent consent,
                        bool typing);
    // Adds section `index` with [0]'s texts, which the author then translates.
    EditResult addLanguage(std::int32_t index, Consent consent);
    // Removes the section looked at (never [0]).
    EditResult removeLanguage();
    // Sets the fix's key to its value number `choice`.
    EditResult applyFix(const Fix& fix, std::size_t choice, Consent consent);
    // Open and Icon name the menu program beside the file, so Windows offers the menu.
    EditResult offerMenu(Consent consent);

    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    bool undo();
    bool redo();
    // The author left the field they typed in: the next edit is a step of its own.
    void endTyping() { history_.endStep(); }

    // The checker's findings of the bytes the window asked about: errors first, then
    // warnings, notes and infos, each in the checker's order.
    void takeFindings(std::vector<Finding> findings);
    const std::vector<Finding>& findings() const { return findings_; }
    // The field a finding is about, with its language and entry; nothing when it is about
    // no field (another file, a section as a whole, a key no field edits).
    std::optional<FindingPlace> placeOf(const Finding& finding) const;

private:
    // Applies `edit` to a copy of the document; on success records the step and tells.
    template <typename Edit>
    EditResult change(Edit edit, Consent consent, int group, unsigned flags,
                      const Field* typed = nullptr);
    void refresh();
    void tell(unsigned flags, const Field* typed = nullptr);
    std::u16string sectionName() const;

    Listener listener_;
    std::u16string path_;
    ProfileDocument document_ = ProfileDocument::fromText(u"");
    std::string bytes_;
    std::string savedBytes_;
    std::string disk_;
    bool keptOverDisk_ = false;
    EditHistory history_;
    std::u16string menuProgram_;
    std::int32_t language_ = 0;
    std::int32_t section_ = 0;
    int entry_ = 0;
    std::vector<Finding> findings_;
};

// The text of a refused edit, for the author.
std::u16string refusalOf(EditStatus status);
