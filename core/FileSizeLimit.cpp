#include "core/FileSizeLimit.h"

#include <signal.h>

namespace tav {

void TreatFileSizeLimitAsWriteError() noexcept { ::signal(SIGXFSZ, SIG_IGN); }

}  // namespace tav
