// SPDX-License-Identifier: GPL-3.0-or-later
// The bash completion of tav offers exactly the keys --set accepts.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "project/StoredSettings.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

TEST(BashCompletion, OffersExactlyTheStoredSettingsForSet) {
  const std::string script = test::ReadBytes(TAV_SOURCE_DIR "/dist/tav.bash-completion");
  const std::string start = "_tav_setting_keys=\"";
  const auto begin = script.find(start);
  ASSERT_NE(begin, std::string::npos);
  const auto end = script.find('"', begin + start.size());
  ASSERT_NE(end, std::string::npos);

  std::set<std::string> offered;
  std::istringstream words(script.substr(begin + start.size(), end - begin - start.size()));
  for (std::string word; words >> word;) offered.insert(word);
  std::set<std::string> stored;
  for (const StoredSetting& setting : StoredSettings()) stored.insert(std::string(setting.key));
  EXPECT_EQ(offered, stored);
}

}  // namespace
}  // namespace tav
