// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniStore.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/MessagePath.h"
#include "core/Messages.h"

namespace tav {

IniStore::IniStore(std::string path) : path_(std::move(path)) {}

void IniStore::ThrowCannotWrite() const {
  throw Error(FormatMessage(msg::kCannotWrite, {PathForMessage(path_)}));
}

IniDocument& IniStore::Document(Use use) {
  if (document_) return *document_;
  std::error_code ignored;
  const auto status = std::filesystem::status(path_, ignored);
  if (status.type() == std::filesystem::file_type::not_found) {
    document_.emplace();
    return *document_;
  }
  try {
    document_.emplace(ReadFileBytes(path_));
  } catch (const FileAccessError& error) {
    if (use == Use::kWrite) ThrowCannotWrite();
    throw Error(FormatMessage(msg::kCannotOpen, {PathForMessage(path_), error.reason()}));
  }
  return *document_;
}

std::string IniStore::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) {
  return Document(Use::kRead).ReadString(section, key, defaultValue);
}

std::vector<std::string> IniStore::ReadSection(std::string_view section) {
  return Document(Use::kRead).ReadSection(section);
}

std::vector<std::string_view> IniStore::ReadSectionValues(std::string_view section) {
  return Document(Use::kRead).ReadSectionValues(section);
}

template <typename Edit>
void IniStore::Change(Edit&& edit) {
  try {
    edit(Document(Use::kWrite));
  } catch (const std::invalid_argument&) {
    ThrowCannotWrite();
  }
  changed_ = true;
}

void IniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Change([&](IniDocument& document) { document.WriteString(section, key, value); });
}

void IniStore::AppendEntry(std::string_view section, std::string_view key, std::string_view value) {
  Change([&](IniDocument& document) { document.AppendEntry(section, key, value); });
}

void IniStore::AppendLines(std::string_view section, std::string lines) {
  Change([&](IniDocument& document) { document.AppendLines(section, std::move(lines)); });
}

void IniStore::AppendGenerated(std::string_view section, IniDocument::LineProducer produce) {
  Change([&](IniDocument& document) { document.AppendGenerated(section, std::move(produce)); });
}

bool IniStore::ReplaceNumberedLines(std::string_view section, std::string_view prefix,
                                    std::size_t keep, IniDocument::LineProducer produce) {
  if (!Document(Use::kWrite).ReplaceNumberedLines(section, prefix, keep, std::move(produce)))
    return false;
  changed_ = true;
  return true;
}

bool IniStore::VisitNumberedValues(std::string_view section, std::string_view prefix,
                                   const std::function<void(std::string_view)>& visit) {
  return Document(Use::kRead).VisitNumberedValues(section, prefix, visit);
}

std::optional<std::string_view> IniStore::Find(std::string_view section, std::string_view key) {
  return Document(Use::kRead).Find(section, key);
}

bool IniStore::HasSection(std::string_view section) {
  return Document(Use::kRead).HasSection(section);
}

void IniStore::EraseSection(std::string_view section) {
  if (Document(Use::kWrite).EraseSection(section)) changed_ = true;
}

void IniStore::EraseKey(std::string_view section, std::string_view key) {
  if (Document(Use::kWrite).EraseKey(section, key)) changed_ = true;
}

void IniStore::Close() {
  if (!changed_) return;
  try {
    // Written in pieces: a large project is not held a second time as one text.
    WriteFileAtomically(path_, [this](const ByteSink& write) { document_->SerializeTo(write); });
  } catch (const FileAccessError&) {
    ThrowCannotWrite();
  } catch (const std::invalid_argument&) {
    ThrowCannotWrite();  // a generated line that cannot stand in the file
  }
  changed_ = false;
}

}  // namespace tav
