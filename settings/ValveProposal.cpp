// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ValveProposal.h"

namespace tav {

bool ProposeValveCodes(MachineSettings& settings) {
  if (settings.valveOnCode != MachineSettings{}.valveOnCode || !settings.valveOffCode.empty())
    return false;
  settings.valveOnCode = "M8";
  settings.valveOffCode = "M9";
  return true;
}

}  // namespace tav
