// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniDocument.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <stdexcept>

#include "core/LineBreaks.h"
#include "project/PieceWriter.h"

namespace tav {

namespace {

bool HasLineBreak(std::string_view text) noexcept {
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

void CheckSectionName(std::string_view section) {
  const std::string_view sectionName = TrimIniBlanks(section);
  if (sectionName.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos)
    throw std::invalid_argument("section name cannot stand in an INI file");
}

// Calls `take` with every line of `text`, without its line break; lines end
// at CR LF, LF or CR, and a last line without a break counts too.
template <typename Take>
void ForEachLine(std::string_view text, const Take& take) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = LineEnd(text, pos);
    take(text.substr(pos, end - pos));
    pos = AfterLineBreak(text, end);
  }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsIniBlank(char c) noexcept { return c == ' ' || c == '\t'; }

// Where the line starts whose first non-blank character is text[at]; npos
// when something else stands before it. A byte-order mark added by an editor
// does not count at the start of the file, so it cannot hide the first section.
std::size_t LineStartBefore(std::string_view text, std::size_t at) noexcept {
  while (at > 0 && IsIniBlank(text[at - 1])) --at;
  if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') return at;
  if (at == kByteOrderMark.size() && text.starts_with(kByteOrderMark)) return 0;
  return std::string_view::npos;
}

// Checks `lines` as AppendLines takes them ("key=value" lines, each ended by
// CR LF) and returns the first key. Throws std::invalid_argument.
std::string_view FirstKeyOfEntryLines(std::string_view lines) {
  std::string_view first;
  for (std::size_t pos = 0; pos < lines.size();) {
    const std::size_t end = lines.find('\n', pos);
    if (end == std::string::npos || end == pos || lines[end - 1] != '\r')
      throw std::invalid_argument("entry lines must end with CR LF");
    const std::string_view line = lines.substr(pos, end - 1 - pos);
    const std::size_t equals = line.find('=');
    const std::string_view key = TrimIniBlanks(line.substr(0, equals));
    if (equals == std::string_view::npos || key.empty() || key.starts_with('[') ||
        key.starts_with(';') || line.find('\r') != std::string_view::npos)
      throw std::invalid_argument("not an INI entry line");
    if (pos == 0) first = key;
    pos = end + 1;
  }
  return first;
}

// The decimal digits of 0, 1, 2, ... counted up in place, so numbered keys
// are compared without converting every number.
class DecimalCounter final {
 public:
  std::string_view Text() const noexcept { return {digits_ + begin_, sizeof digits_ - begin_}; }
  void Increment() noexcept {
    for (std::size_t i = sizeof digits_ - 1;; --i) {
      if (digits_[i] != '9') {
        ++digits_[i];
        return;
      }
      digits_[i] = '0';
      if (i == begin_) {
        digits_[--begin_] = '1';
        return;
      }
    }
  }

 private:
  char digits_[24] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0',
                      '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'};
  std::size_t begin_ = sizeof digits_ - 1;
};

bool SameBytes(const char* at, std::string_view expected) noexcept {
  for (char c : expected) {
    if (*at++ != c) return false;
  }
  return true;
}

// Whether `key`, blanks around it ignored, is `prefix` (in any letter case)
// followed by `digits`.
bool IsNumberedKey(std::string_view key, std::string_view prefix,
                   std::string_view digits) noexcept {
  key = TrimIniBlanks(key);
  return key.size() == prefix.size() + digits.size() && key.ends_with(digits) &&
         IniNameEqual(key.substr(0, prefix.size()), prefix);
}

}  // namespace

// Owns the bytes every Line views: the parsed file and the lines written
// since. Storage never moves, so views stay valid for the document's life.
class IniDocument::Arena {
 public:
  std::string_view Adopt(std::string bytes) {
    owned_.push_back(std::make_unique<std::string>(std::move(bytes)));
    return *owned_.back();
  }

  std::string_view Join(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (auto part : parts) size += part.size();
    if (size > kChunkSize / 4) {
      std::string joined;
      joined.reserve(size);
      for (auto part : parts) joined.append(part);
      return Adopt(std::move(joined));
    }
    if (chunks_.empty() || used_ + size > kChunkSize) {
      chunks_.push_back(std::make_unique_for_overwrite<char[]>(kChunkSize));
      used_ = 0;
    }
    char* start = chunks_.back().get() + used_;
    char* out = start;
    for (auto part : parts) {
      if (!part.empty()) std::memcpy(out, part.data(), part.size());
      out += part.size();
    }
    used_ += size;
    return {start, size};
  }

 private:
  static constexpr std::size_t kChunkSize = 1 << 20;
  std::vector<std::unique_ptr<std::string>> owned_;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t used_ = 0;
};

IniDocument::IniDocument() : arena_(std::make_unique<Arena>()) {
  sections_.push_back(std::make_unique<IniSection>());
}

IniDocument::IniDocument(std::string bytes) : IniDocument() { Parse(std::move(bytes)); }

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

void IniDocument::Parse(std::string bytes) {
  const std::string_view text = arena_->Adopt(std::move(bytes));
  // Only the section lines are looked for: a section line starts (after
  // blanks) with "[", so the search jumps from one "[" to the next, and the
  // lines between two section lines are the earlier section's, kept as text.
  IniSection* current = sections_.front().get();
  std::size_t linesAt = 0;  // where the current section's own lines start
  std::size_t at = text.find('[');
  while (at != std::string_view::npos) {
    const std::size_t lineStart = LineStartBefore(text, at);
    const std::size_t end = LineEnd(text, at);
    const void* close = std::memchr(text.data() + at + 1, ']', end - at - 1);
    if (lineStart == std::string_view::npos || close == nullptr) {
      at = text.find('[', lineStart == std::string_view::npos ? at + 1 : end);
      continue;
    }
    current->unsplit = text.substr(linesAt, lineStart - linesAt);
    auto section = std::make_unique<IniSection>();
    section->header = text.substr(lineStart, end - lineStart);
    const std::size_t closeAt =
        static_cast<std::size_t>(static_cast<const char*>(close) - text.data());
    section->name = TrimIniBlanks(text.substr(at + 1, closeAt - at - 1));
    current = section.get();
    sections_.push_back(std::move(section));
    sectionIndex_.Insert(current->name, sections_.size() - 1,
                         [this](std::size_t n) { return sections_[n]->name; });
    linesAt = AfterLineBreak(text, end);
    at = text.find('[', linesAt);
  }
  current->unsplit = text.substr(linesAt);
}

void IniDocument::MakeLines(IniSection& section) const {
  const std::string_view text = *section.unsplit;
  section.unsplit.reset();
  section.lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  ForEachLine(text, [&section](std::string_view line) {
    const std::string_view trimmed = TrimIniBlanks(line);
    std::size_t equals = line.find('=');
    if (trimmed.starts_with(';') ||
        (equals != std::string_view::npos && TrimIniBlanks(line.substr(0, equals)).empty()))
      equals = IniLine::kNoEntry;
    section.lines.emplace_back(line, equals);
    if (section.lines.back().IsEntry()) section.entryEnd = section.lines.size();
  });
}

IniSection* IniDocument::FindSection(std::string_view name) const {
  // Callers work through one section at a time; remembering it saves a lookup per key.
  if (lastSection_ == nullptr || !lastSection_->live || !IniNameEqual(lastSection_->name, name)) {
    const auto found =
        sectionIndex_.Find(name, [this](std::size_t n) { return sections_[n]->name; });
    if (!found) return nullptr;
    lastSection_ = sections_[*found].get();
  }
  IniSection& section = *lastSection_;
  // Lines kept as text, generated or written in one piece become entries
  // only when someone looks at them.
  if (section.unsplit) MakeLines(section);
  if (section.generated) {
    // Checked like AppendLines' text; on failure the producer stays.
    std::string lines;
    section.generated([&lines](std::string_view piece) { lines.append(piece); });
    FirstKeyOfEntryLines(lines);
    section.generated = nullptr;
    section.pending = arena_->Adopt(std::move(lines));
  }
  section.SplitPendingLines();
  return &section;
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  // Building a section's key index on first use changes no content.
  IniSection* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const auto entry = found->Lookup(key);
  if (!entry) return std::nullopt;
  return found->At(*entry).Value();
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return std::string(Find(section, key).value_or(defaultValue));
}

// One item per entry that counts for its key, in section order.
template <typename Item, typename Take>
std::vector<Item> IniDocument::CollectEntries(std::string_view section, Take take) const {
  std::vector<Item> items;
  IniSection* found = FindSection(section);
  if (found == nullptr) return items;
  items.reserve(found->EntryCount());
  for (std::size_t i = 0; i < found->EntryCount(); ++i) {
    if (found->CountsForItsKey(i)) items.emplace_back(take(found->At(i)));
  }
  return items;
}

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const {
  return CollectEntries<std::string>(section,
                                     [](const auto& entry) { return TrimIniBlanks(entry.Key()); });
}

std::vector<std::string_view> IniDocument::ReadSectionValues(std::string_view section) const {
  return CollectEntries<std::string_view>(section, [](const auto& entry) { return entry.Value(); });
}

IniSection& IniDocument::SectionForWriting(std::string_view section, std::string_view key,
                                           std::string_view value) {
  CheckSectionName(section);
  const std::string_view keyName = TrimIniBlanks(key);
  if (keyName.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      keyName.starts_with('[') || keyName.starts_with(';'))
    throw std::invalid_argument("key cannot stand in an INI file");
  if (HasLineBreak(value)) throw std::invalid_argument("value cannot stand in an INI file");
  return SectionForWriting(section);
}

IniSection& IniDocument::SectionForWriting(std::string_view section) {
  CheckSectionName(section);
  const std::string_view sectionName = TrimIniBlanks(section);
  if (IniSection* found = FindSection(sectionName)) return *found;
  auto created = std::make_unique<IniSection>();
  created->header = arena_->Join({"[", sectionName, "]"});
  created->name = created->header.substr(1, sectionName.size());
  IniSection& result = *created;
  sections_.push_back(std::move(created));
  sectionIndex_.Insert(result.name, sections_.size() - 1,
                       [this](std::size_t n) { return sections_[n]->name; });
  return result;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  IniSection& target = SectionForWriting(section, key, value);
  if (const auto entry = target.Lookup(key)) {
    // Keep the key exactly as the file spells it; only the value changes.
    IniLine& line = target.At(*entry);
    line = IniLine(arena_->Join({line.Text().substr(0, line.Equals() + 1), value}), line.Equals());
    return;
  }
  AppendEntry(section, key, value);
}

void IniDocument::AppendEntry(std::string_view section, std::string_view key,
                              std::string_view value) {
  IniSection& target = SectionForWriting(section, key, value);
  const std::string_view keyName = TrimIniBlanks(key);
  target.Append(IniLine{arena_->Join({keyName, "=", value}), keyName.size()});
}

void IniDocument::AppendLines(std::string_view section, std::string lines) {
  // Everything is checked before anything changes.
  const std::string_view first = FirstKeyOfEntryLines(lines);
  if (lines.empty()) return;
  IniSection& target = SectionForWriting(section, first, "");
  // The arena keeps the text in place. A section without entries writes it
  // as it stands and splits it into entries only when it is looked up.
  target.pending = arena_->Adopt(std::move(lines));
  if (target.EntryCount() != 0) target.SplitPendingLines();
}

void IniDocument::AppendGenerated(std::string_view section, LineProducer produce) {
  IniSection& target = SectionForWriting(section);
  if (target.EntryCount() == 0) {
    target.generated = std::move(produce);
    return;
  }
  // Lines after existing entries are needed as entries at once.
  std::string lines;
  produce([&lines](std::string_view piece) { lines.append(piece); });
  AppendLines(section, std::move(lines));
}

bool IniDocument::VisitNumberedValues(std::string_view section, std::string_view prefix,
                                      const std::function<void(std::string_view)>& visit) const {
  const auto found =
      sectionIndex_.Find(section, [this](std::size_t n) { return sections_[n]->name; });
  if (!found) return true;
  const IniSection& target = *sections_[*found];
  if (!target.unsplit) return false;
  const std::string_view text = *target.unsplit;
  DecimalCounter number;
  for (std::size_t pos = 0; pos < text.size();) {
    // The usual line, "<prefix><number>=value" exactly, is recognised at once.
    const std::string_view digits = number.Text();
    const std::size_t keySize = prefix.size() + digits.size();
    const char* line = text.data() + pos;
    if (keySize < text.size() - pos && line[keySize] == '=' && SameBytes(line, prefix) &&
        SameBytes(line + prefix.size(), digits)) {
      const std::size_t valueAt = pos + keySize + 1;
      const std::size_t end = LineEnd(text, valueAt);
      visit(text.substr(valueAt, end - valueAt));
      number.Increment();
      pos = AfterLineBreak(text, end);
      continue;
    }
    // Any other line: the same test for an entry as MakeLines.
    const std::size_t end = LineEnd(text, pos);
    const std::string_view whole = text.substr(pos, end - pos);
    pos = AfterLineBreak(text, end);
    const std::size_t equals = whole.find('=');
    if (equals == std::string_view::npos || TrimIniBlanks(whole).starts_with(';')) continue;
    const std::string_view key = whole.substr(0, equals);
    if (TrimIniBlanks(key).empty()) continue;
    if (!IsNumberedKey(key, prefix, digits)) return false;
    visit(whole.substr(equals + 1));
    number.Increment();
  }
  return true;
}

bool IniDocument::ReplaceNumberedLines(std::string_view section, std::string_view prefix,
                                       std::size_t keep, LineProducer produce) {
  const auto found =
      sectionIndex_.Find(section, [this](std::size_t n) { return sections_[n]->name; });
  if (!found) return false;
  IniSection& target = *sections_[*found];
  if (!target.unsplit) return false;
  const std::string_view text = *target.unsplit;
  DecimalCounter number;
  std::size_t kept = text.size();  // where the line numbered `keep` starts
  for (std::size_t pos = 0, count = 0; pos < text.size(); ++count) {
    if (count == keep) kept = pos;
    const std::string_view digits = number.Text();
    const std::size_t keySize = prefix.size() + digits.size();
    const char* line = text.data() + pos;
    if (keySize >= text.size() - pos || line[keySize] != '=' || !SameBytes(line, prefix) ||
        !SameBytes(line + prefix.size(), digits))
      return false;
    const std::size_t end = LineEnd(text, pos + keySize + 1);
    if (end < text.size() && text.substr(end, 2) != "\r\n") return false;
    number.Increment();
    pos = AfterLineBreak(text, end);
  }
  // The lines from `keep` on stay as they are, behind the new ones; only the
  // last line of the file may lack its line break, which writing adds.
  const std::string_view rest = text.substr(kept);
  target.unsplit.reset();
  target.generated = [produce = std::move(produce),
                      rest](const std::function<void(std::string_view)>& write) {
    produce(write);
    if (rest.empty()) return;
    write(rest);
    if (!rest.ends_with('\n')) write("\r\n");
  };
  return true;
}

bool IniDocument::EraseSection(std::string_view section) {
  // Looked up without splitting its lines, which are about to go.
  if (!sectionIndex_.Find(section, [this](std::size_t n) { return sections_[n]->name; }))
    return false;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    IniSection& candidate = *sections_[i];
    if (!candidate.live || !IniNameEqual(candidate.name, section)) continue;
    // Free the memory now: a save erases and rewrites the biggest section.
    candidate = IniSection{};
    candidate.live = false;
  }
  sectionIndex_.Erase(section, [this](std::size_t n) { return sections_[n]->name; });
  return true;
}

bool IniDocument::EraseKey(std::string_view section, std::string_view key) {
  IniSection* found = FindSection(section);
  return found != nullptr && found->EraseKey(key);
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const auto& section : sections_) {
    if (!section->live) continue;
    size += section->header.size() + 2;
    for (const IniLine& line : section->lines) size += line.Text().size() + 2;
    for (const IniLine& line : section->added) size += line.Text().size() + 2;
    size += section->pending.size() + section->unsplit.value_or("").size() + 2;
  }
  std::string out;
  out.reserve(size);
  SerializeTo([&out](std::string_view piece) { out.append(piece); });
  return out;
}

void IniDocument::SerializeTo(const std::function<void(std::string_view)>& write) const {
  // Lines are gathered into pieces; a section's text written in one piece
  // (pending) goes out as it stands, without a copy.
  PieceWriter out(write);
  const auto put = [&out](const IniLine& line) {
    if (!line.Removed()) out.AppendLine(line.Text());
  };
  for (const auto& section : sections_) {
    if (!section->live) continue;
    if (section.get() != sections_.front().get()) put(IniLine{section->header});
    if (section->unsplit)
      ForEachLine(*section->unsplit, [&put](std::string_view line) { put(IniLine{line}); });
    for (std::size_t i = 0; i < section->entryEnd; ++i) put(section->lines[i]);
    for (const IniLine& line : section->added) put(line);
    if (!section->pending.empty()) {
      out.Flush();
      write(section->pending);
    }
    if (section->generated) {
      out.Flush();
      section->generated(write);
    }
    for (std::size_t i = section->entryEnd; i < section->lines.size(); ++i) put(section->lines[i]);
  }
  out.Flush();
}

}  // namespace tav
