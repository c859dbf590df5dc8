#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tav {

// Hash and equality for section and key names: ASCII letters in any case are
// the same, and blanks (space, TAB) around the name do not count.
struct IniNameHash {
  std::size_t operator()(std::string_view name) const noexcept;
};
struct IniNameEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// An INI file held in memory, for reading it and for updating it in place.
//
// Parsing accepts CR LF, LF and CR line ends. A line whose first non-blank
// character is "[" and that holds a "]" opens a section; a line with "=" whose
// first non-blank character is not ";" is an entry (key before the first "=",
// value the rest of the line, byte for byte). Every other line (comments, text
// before the first section, lines without "=") is kept as it stands. Of two
// sections or keys with the same name the first counts.
//
// Updates touch only what they change: a new key goes after the last entry of
// its section, a new section at the end of the file. Serialize writes every
// line followed by CR LF. There is no limit on the number or length of keys
// and values; every operation costs time linear in the text it touches.
class IniDocument final {
 public:
  IniDocument();
  explicit IniDocument(std::string bytes);
  ~IniDocument();
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  // The value of the first entry named `key` in the first section named
  // `section`; nullopt when there is none. The view stays valid until the
  // document is changed or destroyed.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  // The key names of the first section named `section`, in file order, each
  // name once (at its first entry); empty when the section is missing.
  std::vector<std::string> ReadSection(std::string_view section) const;

  // The values of ReadSection's keys, in the same order, as views valid until
  // the document is changed or destroyed.
  std::vector<std::string_view> ReadSectionValues(std::string_view section) const;

  // Replaces the value of an existing key in place, or adds the key after the
  // last entry of its section, creating the section at the end when missing.
  // Throws std::invalid_argument for names or values that cannot stand in an
  // INI line (line breaks anywhere; "]" in a section name; "=" in a key; an
  // empty name; a key starting with "[" or ";"), leaving the document unchanged.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section named `section` with all its lines. Returns whether
  // anything was removed.
  bool EraseSection(std::string_view section);

  // Removes every entry named `key` from the first section named `section`.
  // Returns whether anything was removed.
  bool EraseKey(std::string_view section, std::string_view key);

  // The whole text, every line followed by CR LF.
  std::string Serialize() const;

 private:
  struct Line {
    std::string_view text;
    std::size_t equals = std::string_view::npos;  // npos: not an entry
    bool removed = false;
  };
  struct Section;
  class Arena;
  using NameIndex = std::unordered_map<std::string_view, std::size_t, IniNameHash, IniNameEqual>;
  using DuplicateIndex =
      std::unordered_map<std::string_view, std::vector<std::size_t>, IniNameHash, IniNameEqual>;

  void Parse(std::string bytes);
  Section* FindSection(std::string_view name) const;
  static void IndexKeys(Section& section);
  static const Line& LineAt(const Section& section, std::size_t index);
  static Line& LineAt(Section& section, std::size_t index);

  std::unique_ptr<Arena> arena_;
  std::vector<std::unique_ptr<Section>> sections_;  // [0] holds the lines before the first section
  NameIndex sectionIndex_;                          // name -> first live section
};

}  // namespace tav
