#include "project/IniDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>

namespace tav {

namespace {

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
  const auto sectionName = [this](std::size_t n) { return sections_[n]->name; };
  // All parsed lines live in one array, reserved up front: no section's list
  // is copied while it grows. Each section then views its part.
  const std::size_t breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                                      std::count(text.begin(), text.end(), '\r'));
  parsed_.reserve(breaks + 1);
  std::vector<std::size_t> starts{0};  // first parsed line of each section
  IniSection* current = sections_.front().get();
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

    const std::string_view trimmed = TrimIniBlanks(content);
    if (trimmed.starts_with('[')) {
      const std::size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        auto section = std::make_unique<IniSection>();
        section->header = line;
        section->name = TrimIniBlanks(trimmed.substr(1, close - 1));
        current = section.get();
        sections_.push_back(std::move(section));
        sectionIndex_.Insert(current->name, sections_.size() - 1, sectionName);
        starts.push_back(parsed_.size());
        continue;
      }
    }
    std::size_t equals = line.find('=');
    if (current == sections_.front().get() || trimmed.starts_with(';') ||
        (equals != std::string_view::npos && TrimIniBlanks(line.substr(0, equals)).empty()))
      equals = IniLine::kNoEntry;
    const IniLine entry(line, equals);
    parsed_.push_back(entry);
    if (entry.IsEntry()) current->entryEnd = parsed_.size() - starts.back();
  }
  starts.push_back(parsed_.size());
  for (std::size_t n = 0; n < sections_.size(); ++n)
    sections_[n]->lines = std::span<IniLine>(parsed_.data() + starts[n], starts[n + 1] - starts[n]);
}

IniSection* IniDocument::FindSection(std::string_view name) const {
  // Callers work through one section at a time; remembering it saves a lookup per key.
  if (lastSection_ != nullptr && lastSection_->live && IniNameEqual(lastSection_->name, name)) {
    lastSection_->SplitPendingLines();
    return lastSection_;
  }
  const auto found = sectionIndex_.Find(name, [this](std::size_t n) { return sections_[n]->name; });
  if (!found) return nullptr;
  lastSection_ = sections_[*found].get();
  // Lines written in one piece become entries only when someone looks at them.
  lastSection_->SplitPendingLines();
  return lastSection_;
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

std::vector<std::string> IniDocument::ReadSection(std::string_view section) const {
  std::vector<std::string> names;
  IniSection* found = FindSection(section);
  if (found == nullptr) return names;
  names.reserve(found->EntryCount());
  for (std::size_t i = 0; i < found->EntryCount(); ++i) {
    if (found->CountsForItsKey(i)) names.emplace_back(TrimIniBlanks(found->At(i).Key()));
  }
  return names;
}

std::vector<std::string_view> IniDocument::ReadSectionValues(std::string_view section) const {
  std::vector<std::string_view> values;
  IniSection* found = FindSection(section);
  if (found == nullptr) return values;
  values.reserve(found->EntryCount());
  for (std::size_t i = 0; i < found->EntryCount(); ++i) {
    if (found->CountsForItsKey(i)) values.push_back(found->At(i).Value());
  }
  return values;
}

IniSection& IniDocument::SectionForWriting(std::string_view section, std::string_view key,
                                           std::string_view value) {
  const std::string_view sectionName = TrimIniBlanks(section);
  const std::string_view keyName = TrimIniBlanks(key);
  if (sectionName.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos)
    throw std::invalid_argument("section name cannot stand in an INI file");
  if (keyName.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      keyName.starts_with('[') || keyName.starts_with(';'))
    throw std::invalid_argument("key cannot stand in an INI file");
  if (HasLineBreak(value)) throw std::invalid_argument("value cannot stand in an INI file");

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
  std::string_view first;
  for (std::size_t pos = 0; pos < lines.size();) {
    const std::size_t end = lines.find('\n', pos);
    if (end == std::string::npos || end == pos || lines[end - 1] != '\r')
      throw std::invalid_argument("entry lines must end with CR LF");
    const std::string_view line = std::string_view(lines).substr(pos, end - 1 - pos);
    const std::size_t equals = line.find('=');
    const std::string_view key = TrimIniBlanks(line.substr(0, equals));
    if (equals == std::string_view::npos || key.empty() || key.starts_with('[') ||
        key.starts_with(';') || line.find('\r') != std::string_view::npos)
      throw std::invalid_argument("not an INI entry line");
    if (pos == 0) first = key;
    pos = end + 1;
  }
  if (lines.empty()) return;
  IniSection& target = SectionForWriting(section, first, "");
  // The arena keeps the text in place. A section without entries writes it
  // as it stands and splits it into entries only when it is looked up.
  target.pending = arena_->Adopt(std::move(lines));
  if (target.EntryCount() != 0) target.SplitPendingLines();
}

bool IniDocument::EraseSection(std::string_view section) {
  if (FindSection(section) == nullptr) return false;
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
    size += section->pending.size();
  }
  std::string out;
  out.reserve(size);
  SerializeTo([&out](std::string_view piece) { out.append(piece); });
  return out;
}

void IniDocument::SerializeTo(const std::function<void(std::string_view)>& write) const {
  // Lines are gathered into pieces of about kPieceBytes; a section's text
  // written in one piece (pending) goes out as it stands, without a copy.
  constexpr std::size_t kPieceBytes = std::size_t{1} << 18;
  std::string piece;
  const auto flush = [&piece, &write] {
    if (!piece.empty()) write(piece);
    piece.clear();
  };
  const auto put = [&piece, &flush](const IniLine& line) {
    if (line.Removed()) return;
    piece.append(line.Text());
    piece.append("\r\n");
    if (piece.size() >= kPieceBytes) flush();
  };
  for (const auto& section : sections_) {
    if (!section->live) continue;
    if (section.get() != sections_.front().get()) put(IniLine{section->header});
    for (std::size_t i = 0; i < section->entryEnd; ++i) put(section->lines[i]);
    for (const IniLine& line : section->added) put(line);
    if (!section->pending.empty()) {
      flush();
      write(section->pending);
    }
    for (std::size_t i = section->entryEnd; i < section->lines.size(); ++i) put(section->lines[i]);
  }
  flush();
}

}  // namespace tav
