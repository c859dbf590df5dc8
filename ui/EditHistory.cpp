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

std::optional<EditHistory::Edit> EditHistory::Undo() {
  lastTyped_ = false;
  if (undo_.empty()) return std::nullopt;
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return redo_.back();
}

std::optional<EditHistory::Edit> EditHistory::Redo() {
  lastTyped_ = false;
  if (redo_.empty()) return std::nullopt;
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return undo_.back();
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  lastTyped_ = false;
}

}  // namespace tav::ui
