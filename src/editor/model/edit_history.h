// Undo and redo of every edit: the document as it was before each step. Typing in one field
// is one step until the author leaves the field or does something else, as editors do.
#pragma once

#include <optional>
#include <vector>

#include "editor/document/profile_document.h"

class EditHistory {
public:
    // Call before an edit is applied to `before`. An edit of the same `group` as the last
    // one (not 0: typing in one field) joins that step; group 0 is always a step of its own.
    void record(const ProfileDocument& before, int group);

    // Ends the step being typed, so the next edit of any group starts a new one.
    void endStep() { lastGroup_ = 0; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    // The document before the last step, `current` kept for redo; nothing when there is
    // no step to undo.
    std::optional<ProfileDocument> undo(const ProfileDocument& current);
    // The document after the step last undone, `current` kept for undo.
    std::optional<ProfileDocument> redo(const ProfileDocument& current);

    // Forgets every step: another file was opened.
    void clear();

private:
    std::vector<ProfileDocument> undo_;
    std::vector<ProfileDocument> redo_;
    int lastGroup_ = 0;
};
