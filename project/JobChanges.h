// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/ComponentTree.h"

namespace tav {

// Keeps track of two facts about the job in the main window:
// - modified: the tree (nodes, texts, include states, feeders) or a settings
//   field changed since the job was last imported, opened or saved, so closing
//   or replacing it would lose work;
// - program stale: the tree or the settings changed since the G-code was last
//   generated, so the editor's program no longer belongs to this job.
// It watches the tree itself, so every command that changes the tree counts
// without telling it; settings edits are reported through SettingsChanged().
// Edits of the program in the editor are neither: they are not part of the job.
// They are a third fact of their own, program edited, so that generating a
// new program does not silently throw away what the user typed.
class JobChanges final : private TreeObserver {
 public:
  // Starts unmodified with no stale program, watching `tree` until destroyed.
  explicit JobChanges(ComponentTree& tree);
  ~JobChanges() override;
  JobChanges(const JobChanges&) = delete;
  JobChanges& operator=(const JobChanges&) = delete;

  bool Modified() const noexcept { return modified_; }
  bool ProgramStale() const noexcept { return programStale_; }
  // The user changed the editor's program since it was last generated.
  bool ProgramEdited() const noexcept { return programEdited_; }

  // Called with the new state whenever Modified() changes, for the title.
  void OnModifiedChanged(std::function<void(bool)> listener) { listener_ = std::move(listener); }

  // A settings field changed (typed, chosen or written by a command).
  void SettingsChanged() { Changed(); }
  // The job now matches a file: after a successful import, open or save.
  void MarkSaved() { SetModified(false); }
  // The editor now holds the program generated from the job as it is.
  void MarkProgramGenerated() noexcept {
    programStale_ = false;
    programEdited_ = false;
  }
  // The user typed, pasted or deleted in the editor's program.
  void MarkProgramEdited() noexcept { programEdited_ = true; }
  // The editor's program is not the job's complete program (a generation
  // stopped part-way).
  void MarkProgramStale() noexcept { programStale_ = true; }

 private:
  void Changed() {
    programStale_ = true;
    SetModified(true);
  }
  void SetModified(bool modified);
  void TreeReset() override { Changed(); }
  void NodeAdded(const TreeNode* /*node*/) override { Changed(); }
  void NodeChanged(const TreeNode* /*node*/) override { Changed(); }

  ComponentTree& tree_;
  bool modified_ = false;
  bool programStale_ = false;
  bool programEdited_ = false;
  std::function<void(bool)> listener_;
};

}  // namespace tav
