// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileSizeLimit.h"

#include <signal.h>

namespace tav {

void TreatFileSizeLimitAsWriteError() noexcept { ::signal(SIGXFSZ, SIG_IGN); }

}  // namespace tav
