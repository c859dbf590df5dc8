// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/JobChanges.h"

namespace tav {

JobChanges::JobChanges(ComponentTree& tree) : tree_(tree) { tree_.AddObserver(this); }

JobChanges::~JobChanges() { tree_.RemoveObserver(this); }

void JobChanges::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  if (listener_) listener_(modified_);
}

}  // namespace tav
