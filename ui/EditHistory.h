// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tav::ui {

// The editor's undo and redo lists. An edit replaced `removed` at `position`
// by `inserted`; undoing it puts `removed` back and the caret and selection
// where they were before.
class EditHistory {
 public:
  struct Edit {
    std::size_t position = 0;
    std::string removed;
    std::string inserted;
    std::size_t caretBefore = 0;
    std::size_t anchorBefore = 0;
  };

  // A new edit ends what could be redone. Characters typed one after the
  // other join the previous typed edit, so that one undo takes them back
  // together, as in other editors.
  void Record(Edit edit, bool typed);
  // The edit to take back, which then can be redone; nothing when none is left.
  std::optional<Edit> Undo();
  // The edit to make again, which then can be undone.
  std::optional<Edit> Redo();
  void Clear();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

 private:
  std::optional<Edit> MoveLast(std::vector<Edit>& from, std::vector<Edit>& to);

  std::vector<Edit> undo_;
  std::vector<Edit> redo_;
  bool lastTyped_ = false;
};

}  // namespace tav::ui
