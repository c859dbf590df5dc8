// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/IniDocument.h"

namespace tav {

// The INI store through which a project file is read and written, opened on
// one path for one save or load.
//
// Opening touches no file. The file is read on first use; a file that does
// not exist reads as empty. Changes are kept in memory and reach the file only
// at Close(), as a whole (temporary file, then rename), so a failed save
// leaves the file as it was. Destroying the store without Close() discards
// the changes.
//
// Errors: a file that exists but cannot be read throws Error "Datei %s kann
// nicht geöffnet werden. %s" from the reading operations and Error "In %s kann
// nicht geschrieben werden" from the writing ones; a failed Close(), or a name
// or value that cannot stand in an INI line, throws the latter too.
class IniStore final {
 public:
  explicit IniStore(std::string path);

  // The key's value; `defaultValue` when the key, its section or the file is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue);
  // The section's key names in file order; empty when the section is missing.
  std::vector<std::string> ReadSection(std::string_view section);
  // The values of ReadSection's keys in the same order; valid while the store lives.
  std::vector<std::string_view> ReadSectionValues(std::string_view section);

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Adds a key the section is known not to hold (see IniDocument::AppendEntry).
  void AppendEntry(std::string_view section, std::string_view key, std::string_view value);
  // Adds whole "key=value" CR LF lines at once (see IniDocument::AppendLines).
  void AppendLines(std::string_view section, std::string lines);
  // Adds lines produced only when the file is written (see
  // IniDocument::AppendGenerated); a line `produce` refuses with
  // std::invalid_argument makes Close() fail.
  void AppendGenerated(std::string_view section, IniDocument::LineProducer produce);
  // Rewrites a plain numbered section at once (see
  // IniDocument::ReplaceNumberedLines); false, changing nothing, otherwise.
  bool ReplaceNumberedLines(std::string_view section, std::string_view prefix, std::size_t keep,
                            IniDocument::LineProducer produce);
  // The section's values without a record per line while its keys run
  // "<prefix>0", "<prefix>1", ...; false when the caller must read it the
  // general way (see IniDocument::VisitNumberedValues).
  bool VisitNumberedValues(std::string_view section, std::string_view prefix,
                           const std::function<void(std::string_view)>& visit);
  // The key's value as a view valid while the store lives; nullopt when missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key);
  bool HasSection(std::string_view section);
  // A missing section, or a missing file, is no failure and changes nothing.
  void EraseSection(std::string_view section);
  // Removes the key from the section; a missing key is no failure.
  void EraseKey(std::string_view section, std::string_view key);

  // Writes the changes, if any, into the file.
  void Close();

  const std::string& Path() const noexcept { return path_; }

 private:
  enum class Use { kRead, kWrite };
  IniDocument& Document(Use use);
  [[noreturn]] void ThrowCannotWrite() const;
  // Applies `edit` to the document and marks it changed; a text the file
  // cannot hold ends in ThrowCannotWrite.
  template <typename Edit>
  void Change(Edit&& edit);

  std::string path_;
  std::optional<IniDocument> document_;
  bool changed_ = false;
};

}  // namespace tav
