// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tav {

// Makes a file-size limit (ulimit -f) an ordinary write error: by default the
// kernel ends a process with SIGXFSZ when a write would pass the limit, before
// it can report anything or remove its temporary file. With the signal
// ignored the write fails with EFBIG instead, and the save reports its message
// and leaves the old file as it was. Both programs call this at start-up.
void TreatFileSizeLimitAsWriteError() noexcept;

}  // namespace tav
