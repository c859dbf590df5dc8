// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/FileAccess.h"

namespace tav {

// One file of a set that is written together.
struct FileContent {
  std::string path;
  std::string bytes;
  // When set, gives the content piece by piece instead of `bytes`, so a large
  // file is never held whole; its exceptions fail the set like a write error.
  ByteProducer produce = {};
};

// Writes every file of `files` and removes every file of `removals` as one
// change: afterwards either all files hold their new bytes and the removed
// ones are gone, or, on an error, every file is as it was before and no file
// is left over. Each new content is first written completely to a temporary
// file beside its target (WriteFileAtomically); only then are the targets
// replaced one by one, each old file kept under a backup name until all are
// in place, so a failed replacement puts the earlier ones back. A removal of
// a file that does not exist changes nothing. A symbolic link at a target is
// replaced itself, not followed. The folders must exist. Only a
// crash in the middle of the replacements can leave a part done (and backup
// files behind).
//
// Throws Error "Datei "%s" kann nicht erstellt werden. %s" naming the file
// that could not be written or replaced (also when a folder is in its way).
void CommitFileSet(const std::vector<FileContent>& files, const std::vector<std::string>& removals);

}  // namespace tav
