// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EditHistory.h"

#include <utility>

namespace tav::ui {

void EditHistory::Record(Edit edit, bool typed) {
  redo_.clear();
  if (typed && lastTyped_ && !undo_.empty()) {
    Edit& previous = undo_.back();
    const bool follows = previous.position + previous.inserted.size() == edit.position;
    if (follows && edit.removed.empty() && edit.inserted.find('\n') == std::string::npos) {
      previous.inserted += edit.inserted;
      return;
    }
  }
  undo_.push_back(std::move(edit));
  lastTyped_ = typed;
}

std::optional<EditHistory::Edit> EditHistory::Undo() { return MoveLast(undo_, redo_); }

std::optional<EditHistory::Edit> EditHistory::Redo() { return MoveLast(redo_, undo_); }

// Undo and redo move the latest edit from one list to the other; neither
// joins with the next letter typed.
std::optional<EditHistory::Edit> EditHistory::MoveLast(std::vector<Edit>& from,
                                                       std::vector<Edit>& to) {
  lastTyped_ = false;
  if (from.empty()) return std::nullopt;
  to.push_back(std::move(from.back()));
  from.pop_back();
  return to.back();
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  lastTyped_ = false;
}

}  // namespace tav::ui
