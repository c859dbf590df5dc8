// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tav::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when the process did not exit normally
  std::string out;    // standard output, exact bytes
  std::string err;    // standard error, exact bytes
};

// Runs `program` with `args` (no shell involved) and the given environment
// entries ("NAME=value") added to a minimal one with LC_ALL=C, and waits for it.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

// Runs the built `tav` with `args`, which must be a usage error: exit status 2,
// nothing on standard output, and each of `hints` in the message on standard error.
void ExpectUsageError(const std::vector<std::string>& args, const std::vector<std::string>& hints);

}  // namespace tav::test
