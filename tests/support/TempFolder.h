#pragma once

#include <filesystem>
#include <string>

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
  int EntryCount() const;

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; WriteBytes replaces it (throws when it cannot).
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace tav::test
