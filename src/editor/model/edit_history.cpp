#include "editor/model/edit_history.h"

void EditHistory::record(const ProfileDocument& before, int group) {
    redo_.clear();
    if (group != 0 && group == lastGroup_ && !undo_.empty()) return;
    undo_.push_back(before);
    lastGroup_ = group;
}

std::optional<ProfileDocument> EditHistory::undo(const ProfileDocument& current) {
    if (undo_.empty()) return std::nullopt;
    ProfileDocument before = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(current);
    lastGroup_ = 0;
    return before;
}

std::optional<ProfileDocument> EditHistory::redo(const ProfileDocument& current) {
    if (redo_.empty()) return std::nullopt;
    ProfileDocument after = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(current);
    lastGroup_ = 0;
    return after;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    lastGroup_ = 0;
}
