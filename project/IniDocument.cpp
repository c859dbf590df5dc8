#include "project/IniDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <stdexcept>

namespace tav {

namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool HasLineBreak(std::string_view text) noexcept {
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

std::size_t LineEnd(std::string_view text, std::size_t pos) noexcept {
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
      chunks_.push_back(std::make_unique<char[]>(kChunkSize));
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

struct IniDocument::Line {
  std::string_view text;
  std::size_t equals = std::string_view::npos;  // npos: not an entry
  bool removed = false;

  bool IsEntry() const noexcept { return equals != std::string_view::npos; }
  std::string_view Key() const noexcept { return text.substr(0, equals); }
  std::string_view Value() const noexcept { return text.substr(equals + 1); }
};

struct IniDocument::Section {
  std::string_view header;  // the raw section line; empty for the lines before the first section
  std::string_view name;
  std::span<Line> lines;     // as parsed, in the document's parsed_; never grows
  std::size_t entryEnd = 0;  // one past the last parsed entry; new entries go there
  std::vector<Line> added;   // entries written since parsing, in order
  // Key -> entry number: below lines.size() in `lines`, else in `added`.
  // Built on first use, so sections that are only erased or only filled by
  // AppendEntry cost no hashing.
  IniKeyIndex keys;
  bool indexed = false;
  // Later entries of keys that occur more than once; rare, found while indexing.
  IniKeyIndex duplicateKeys;
  std::vector<std::vector<std::size_t>> duplicateEntries;
  std::size_t hint = 0;  // where the next lookup looks first
  bool live = true;

  std::size_t EntryCount() const noexcept { return lines.size() + added.size(); }
  Line& At(std::size_t entry) noexcept {
    return entry < lines.size() ? lines[entry] : added[entry - lines.size()];
  }
  const Line& At(std::size_t entry) const noexcept {
    return entry < lines.size() ? lines[entry] : added[entry - lines.size()];
  }
  auto KeyOf() const {
    return [this](std::size_t entry) { return At(entry).Key(); };
  }

  void Index() {
    if (indexed) return;
    keys.Reserve(EntryCount());
    // Hash a batch and prefetch its slots before inserting: the inserts land at
    // random places in a large table, and waiting for each in turn is slow.
    constexpr std::size_t kBatch = 16;
    std::uint64_t hashes[kBatch];
    for (std::size_t begin = 0; begin < EntryCount(); begin += kBatch) {
      const std::size_t end = std::min(begin + kBatch, EntryCount());
      for (std::size_t i = begin; i < end; ++i) {
        if (!At(i).IsEntry()) continue;
        hashes[i - begin] = IniNameHash(At(i).Key());
        keys.Prefetch(hashes[i - begin]);
      }
      for (std::size_t i = begin; i < end; ++i) {
        const Line& line = At(i);
        if (line.IsEntry() && !keys.Insert(line.Key(), hashes[i - begin], i, KeyOf()))
          RememberDuplicate(i);
      }
    }
    indexed = true;
  }

  void RememberDuplicate(std::size_t entry) {
    const std::string_view key = At(entry).Key();
    const auto firstOf = [this](std::size_t n) { return At(duplicateEntries[n].front()).Key(); };
    if (const auto known = duplicateKeys.Find(key, firstOf)) {
      duplicateEntries[*known].push_back(entry);
      return;
    }
    duplicateKeys.Insert(key, duplicateEntries.size(), firstOf);
    duplicateEntries.push_back({entry});
  }

  // The entry a lookup of `key` finds, if any. Keys are mostly asked for in
  // file order, so the entry after the last one found is tried first; without
  // duplicate keys a match there is the answer, with no random memory access.
  std::optional<std::size_t> Lookup(std::string_view key) {
    Index();
    std::optional<std::size_t> entry;
    if (duplicateKeys.Size() == 0 && hint < EntryCount() && At(hint).IsEntry() &&
        IniNameEqual(At(hint).Key(), key)) {
      entry = hint;
    } else {
      entry = keys.Find(key, KeyOf());
    }
    if (entry) hint = *entry + 1;
    return entry;
  }

  void Append(Line line) {
    const std::size_t entry = EntryCount();
    added.push_back(line);
    if (indexed && !keys.Insert(line.Key(), entry, KeyOf())) RememberDuplicate(entry);
  }
};

IniDocument::IniDocument() : arena_(std::make_unique<Arena>()) {
  sections_.push_back(std::make_unique<Section>());
}

IniDocument::IniDocument(std::string bytes) : IniDocument() { Parse(std::move(bytes)); }

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

void IniDocument::Parse(std::string bytes) {
  const std::string_view text = arena_->Adopt(std::move(bytes));
  const auto sectionName = [this](std::size_t n) { return sections_[n]->name; };
  // All parsed lines live in one array, reserved up front: no section's list
  // is copied while it grows. Each section then views its part.
  const std::size_t breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                                      std::count(text.begin(), text.end(), '\r'));
  parsed_.reserve(breaks + 1);
  std::vector<std::size_t> starts{0};  // first parsed line of each section
  Section* current = sections_.front().get();
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = LineEnd(text, pos);
    const std::string_view line = text.substr(pos, end - pos);
    // A byte-order mark added by an editor must not hide the first section.
    const std::string_view content =
        pos == 0 && line.starts_with(kByteOrderMark) ? line.substr(kByteOrderMark.size()) : line;
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    const std::string_view trimmed = Trim(content);
    if (trimmed.starts_with('[')) {
      const std::size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        auto section = std::make_unique<Section>();
        section->header = line;
        section->name = Trim(trimmed.substr(1, close - 1));
        current = section.get();
        sections_.push_back(std::move(section));
        sectionIndex_.Insert(current->name, sections_.size() - 1, sectionName);
        starts.push_back(parsed_.size());
        continue;
      }
    }
    Line entry{line};
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && current != sections_.front().get() &&
        !trimmed.starts_with(';') && !Trim(line.substr(0, equals)).empty()) {
      entry.equals = equals;
    }
    parsed_.push_back(entry);
    if (entry.IsEntry()) current->entryEnd = parsed_.size() - starts.back();
  }
  starts.push_back(parsed_.size());
  for (std::size_t n = 0; n < sections_.size(); ++n)
    sections_[n]->lines = std::span<Line>(parsed_.data() + starts[n], starts[n + 1] - starts[n]);
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  // Callers work through one section at a time; remembering it saves a lookup per key.
  if (lastSection_ != nullptr && lastSection_->live && IniNameEqual(lastSection_->name, name))
    return lastSection_;
  const auto found = sectionIndex_.Find(name, [this](std::size_t n) { return sections_[n]->name; });
  if (!found) return nullptr;
  lastSection_ = sections_[*found].get();
  return lastSection_;
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  // Building a section's key index on first use changes no content.
  Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const auto entry = found->Lookup(key);
  if (!entry) return std::nullopt;
  return found->At(*entry).Value();
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return std::string(Find(section, key).value_or(defaultValue));
}

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const {
  std::vector<std::string> names;
  Section* found = FindSection(section);
  if (found == nullptr) return names;
  found->Index();
  names.reserve(found->keys.Size());
  for (std::size_t i = 0; i < found->EntryCount(); ++i) {
    const Line& line = found->At(i);
    if (line.IsEntry() && found->keys.Find(line.Key(), found->KeyOf()) == i)
      names.emplace_back(Trim(line.Key()));
  }
  return names;
}

std::vector<std::string_view> IniDocument::ReadSectionValues(std::string_view section) const {
  std::vector<std::string_view> values;
  Section* found = FindSection(section);
  if (found == nullptr) return values;
  found->Index();
  values.reserve(found->keys.Size());
  // Without duplicates every entry is the first of its key: no lookups needed.
  const bool unique = found->duplicateKeys.Size() == 0;
  for (std::size_t i = 0; i < found->EntryCount(); ++i) {
    const Line& line = found->At(i);
    if (line.IsEntry() && (unique || found->keys.Find(line.Key(), found->KeyOf()) == i))
      values.push_back(line.Value());
  }
  return values;
}

IniDocument::Section& IniDocument::SectionForWriting(std::string_view section, std::string_view key,
                                                     std::string_view value, bool indexed) {
  const std::string_view sectionName = Trim(section);
  const std::string_view keyName = Trim(key);
  if (sectionName.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos)
    throw std::invalid_argument("section name cannot stand in an INI file");
  if (keyName.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      keyName.starts_with('[') || keyName.starts_with(';'))
    throw std::invalid_argument("key cannot stand in an INI file");
  if (HasLineBreak(value)) throw std::invalid_argument("value cannot stand in an INI file");

  if (Section* found = FindSection(sectionName)) return *found;
  auto created = std::make_unique<Section>();
  created->header = arena_->Join({"[", sectionName, "]"});
  created->name = created->header.substr(1, sectionName.size());
  created->indexed = indexed;
  Section& result = *created;
  sections_.push_back(std::move(created));
  sectionIndex_.Insert(result.name, sections_.size() - 1,
                       [this](std::size_t n) { return sections_[n]->name; });
  return result;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  Section& target = SectionForWriting(section, key, value, true);
  if (const auto entry = target.Lookup(key)) {
    // Keep the key exactly as the file spells it; only the value changes.
    Line& line = target.At(*entry);
    line.text = arena_->Join({line.text.substr(0, line.equals + 1), value});
    return;
  }
  AppendEntry(section, key, value);
}

void IniDocument::AppendEntry(std::string_view section, std::string_view key,
                              std::string_view value) {
  Section& target = SectionForWriting(section, key, value, false);
  const std::string_view keyName = Trim(key);
  target.Append(Line{arena_->Join({keyName, "=", value}), keyName.size()});
}

bool IniDocument::EraseSection(std::string_view section) {
  if (FindSection(section) == nullptr) return false;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    Section& candidate = *sections_[i];
    if (!candidate.live || !IniNameEqual(candidate.name, section)) continue;
    // Free the memory now: a save erases and rewrites the biggest section.
    candidate = Section{};
    candidate.live = false;
  }
  sectionIndex_.Erase(section, [this](std::size_t n) { return sections_[n]->name; });
  return true;
}

bool IniDocument::EraseKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (found == nullptr) return false;
  found->Index();
  const auto entry = found->keys.Erase(key, found->KeyOf());
  if (!entry) return false;
  std::vector<std::size_t> entries{*entry};
  const auto firstOf = [found](std::size_t n) {
    return found->At(found->duplicateEntries[n].front()).Key();
  };
  if (const auto more = found->duplicateKeys.Erase(key, firstOf)) {
    entries.insert(entries.end(), found->duplicateEntries[*more].begin(),
                   found->duplicateEntries[*more].end());
    found->duplicateEntries[*more].clear();
  }
  for (std::size_t n : entries) {
    Line& line = found->At(n);
    line.equals = std::string_view::npos;
    line.removed = true;
  }
  return true;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const auto& section : sections_) {
    if (!section->live) continue;
    size += section->header.size() + 2;
    for (const Line& line : section->lines) size += line.text.size() + 2;
    for (const Line& line : section->added) size += line.text.size() + 2;
  }
  std::string out;
  out.reserve(size);
  const auto put = [&out](const Line& line) {
    if (line.removed) return;
    out.append(line.text);
    out.append("\r\n");
  };
  for (const auto& section : sections_) {
    if (!section->live) continue;
    if (section.get() != sections_.front().get()) put(Line{section->header});
    for (std::size_t i = 0; i < section->entryEnd; ++i) put(section->lines[i]);
    for (const Line& line : section->added) put(line);
    for (std::size_t i = section->entryEnd; i < section->lines.size(); ++i) put(section->lines[i]);
  }
  return out;
}

}  // namespace tav
