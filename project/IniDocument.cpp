#include "project/IniDocument.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>

namespace tav {

namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

unsigned char AsciiLower(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

std::string_view Trim(std::string_view text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool HasLineBreak(std::string_view text) noexcept {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::size_t IniNameHash::operator()(std::string_view name) const noexcept {
  // FNV-1a over the lower-cased, trimmed name.
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : Trim(name)) {
    hash ^= AsciiLower(c);
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

bool IniNameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

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

struct IniDocument::Section {
  std::string_view header;  // the raw section line; empty for the lines before the first section
  std::string_view name;
  std::vector<Line> lines;   // as parsed; never grows afterwards
  std::size_t entryEnd = 0;  // one past the last parsed entry; new entries go there
  std::vector<Line> added;   // entries written since parsing, in order
  // Key -> position: below lines.size() in `lines`, else in `added`. Built on
  // first use, so sections that are only erased or only copied cost nothing.
  NameIndex keys;
  DuplicateIndex duplicates;  // later entries of a key, only for keys that have them
  bool keysIndexed = false;
  bool live = true;
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
  Section* current = sections_.front().get();
  std::size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    // A byte-order mark added by an editor must not hide the first section.
    std::string_view content = line;
    if (first && content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
    first = false;

    const std::string_view trimmed = Trim(content);
    if (trimmed.starts_with('[')) {
      const std::size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        auto section = std::make_unique<Section>();
        section->header = line;
        section->name = Trim(trimmed.substr(1, close - 1));
        current = section.get();
        sectionIndex_.emplace(section->name, sections_.size());
        sections_.push_back(std::move(section));
        continue;
      }
    }
    Line entry{line};
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && !trimmed.starts_with(';') &&
        !Trim(line.substr(0, equals)).empty() && current != sections_.front().get()) {
      entry.equals = equals;
    }
    current->lines.push_back(entry);
    if (entry.equals != std::string_view::npos) current->entryEnd = current->lines.size();
  }
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto it = sectionIndex_.find(name);
  return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

const IniDocument::Line& IniDocument::LineAt(const Section& section, std::size_t index) {
  return index < section.lines.size() ? section.lines[index]
                                      : section.added[index - section.lines.size()];
}

IniDocument::Line& IniDocument::LineAt(Section& section, std::size_t index) {
  return index < section.lines.size() ? section.lines[index]
                                      : section.added[index - section.lines.size()];
}

void IniDocument::IndexKeys(Section& section) {
  if (section.keysIndexed) return;
  section.keys.reserve(section.lines.size() + section.added.size());
  for (std::size_t i = 0; i < section.lines.size() + section.added.size(); ++i) {
    const Line& line = LineAt(section, i);
    if (line.equals == std::string_view::npos) continue;
    const std::string_view key = line.text.substr(0, line.equals);
    if (!section.keys.emplace(key, i).second) section.duplicates[key].push_back(i);
  }
  section.keysIndexed = true;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  IndexKeys(*found);
  const auto it = found->keys.find(key);
  if (it == found->keys.end()) return std::nullopt;
  const Line& line = LineAt(*found, it->second);
  return line.text.substr(line.equals + 1);
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return std::string(Find(section, key).value_or(defaultValue));
}

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const {
  std::vector<std::string> names;
  Section* found = FindSection(section);
  if (found == nullptr) return names;
  IndexKeys(*found);
  names.reserve(found->keys.size());
  for (std::size_t i = 0; i < found->lines.size() + found->added.size(); ++i) {
    const Line& line = LineAt(*found, i);
    if (line.equals == std::string_view::npos) continue;
    const std::string_view key = line.text.substr(0, line.equals);
    if (found->keys.find(key)->second == i) names.emplace_back(Trim(key));
  }
  return names;
}

std::vector<std::string_view> IniDocument::ReadSectionValues(std::string_view section) const {
  std::vector<std::string_view> values;
  Section* found = FindSection(section);
  if (found == nullptr) return values;
  IndexKeys(*found);
  values.reserve(found->keys.size());
  for (std::size_t i = 0; i < found->lines.size() + found->added.size(); ++i) {
    const Line& line = LineAt(*found, i);
    if (line.equals == std::string_view::npos) continue;
    if (found->keys.find(line.text.substr(0, line.equals))->second == i)
      values.push_back(line.text.substr(line.equals + 1));
  }
  return values;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string_view sectionName = Trim(section);
  const std::string_view keyName = Trim(key);
  if (sectionName.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos)
    throw std::invalid_argument("section name cannot stand in an INI file");
  if (keyName.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      keyName.starts_with('[') || keyName.starts_with(';'))
    throw std::invalid_argument("key cannot stand in an INI file");
  if (HasLineBreak(value)) throw std::invalid_argument("value cannot stand in an INI file");

  Section* target = FindSection(sectionName);
  if (target == nullptr) {
    auto created = std::make_unique<Section>();
    created->header = arena_->Join({"[", sectionName, "]"});
    created->name = created->header.substr(1, sectionName.size());
    created->keysIndexed = true;
    target = created.get();
    sectionIndex_.emplace(created->name, sections_.size());
    sections_.push_back(std::move(created));
  }
  IndexKeys(*target);
  const auto it = target->keys.find(keyName);
  if (it != target->keys.end()) {
    // Keep the key exactly as the file spells it; only the value changes.
    Line& line = LineAt(*target, it->second);
    line.text = arena_->Join({line.text.substr(0, line.equals + 1), value});
    return;
  }
  Line line{arena_->Join({keyName, "=", value}), keyName.size()};
  target->keys.emplace(line.text.substr(0, keyName.size()),
                       target->lines.size() + target->added.size());
  target->added.push_back(line);
}

bool IniDocument::EraseSection(std::string_view section) {
  if (FindSection(section) == nullptr) return false;
  const IniNameEqual same;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    Section& candidate = *sections_[i];
    if (!candidate.live || !same(candidate.name, section)) continue;
    candidate.live = false;
    // Free the memory now: a save erases and rewrites the biggest section.
    candidate.lines = {};
    candidate.added = {};
    candidate.keys = {};
    candidate.duplicates = {};
  }
  sectionIndex_.erase(section);
  return true;
}

bool IniDocument::EraseKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (found == nullptr) return false;
  IndexKeys(*found);
  const auto it = found->keys.find(key);
  if (it == found->keys.end()) return false;
  const auto remove = [found](std::size_t index) {
    Line& line = LineAt(*found, index);
    line.equals = std::string_view::npos;
    line.removed = true;
  };
  remove(it->second);
  found->keys.erase(it);
  if (const auto more = found->duplicates.find(key); more != found->duplicates.end()) {
    for (std::size_t index : more->second) remove(index);
    found->duplicates.erase(more);
  }
  return true;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const auto& section : sections_) {
    if (!section->live) continue;
    if (section.get() != sections_.front().get()) size += section->header.size() + 2;
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
