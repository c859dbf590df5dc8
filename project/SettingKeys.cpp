// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/SettingKeys.h"

namespace tav {
namespace {

bool SameKey(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

const StoredSetting* FindStoredSetting(std::string_view key) noexcept {
  // A short table: a linear search costs nothing next to the command it serves.
  for (const StoredSetting& setting : StoredSettings())
    if (SameKey(setting.key, key)) return &setting;
  return nullptr;
}

}  // namespace tav
