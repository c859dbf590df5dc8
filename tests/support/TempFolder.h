// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tav::test {

// A fresh folder below the system's temporary folder, removed with its
// contents at the end of the test; tests running in parallel never share one.
class TempFolder final {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // Number of entries in the folder (temporary files left behind show up here).
  int EntryCount() const { return static_cast<int>(Entries().size()); }
  // Names of everything in the folder, or in `folder`, sorted.
  std::vector<std::string> Entries() const { return EntriesOf(path_); }
  static std::vector<std::string> EntriesOf(const std::filesystem::path& folder);

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; WriteBytes replaces it (throws when it cannot).
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);

}  // namespace tav::test
