// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/ComponentBlock.h"

namespace tav::fuzz {
namespace {

// The scratch folder lives as long as the process; libFuzzer ends with exit(),
// which runs this destructor.
class ScratchFolder final {
 public:
  ScratchFolder() {
    // A memory file system keeps the many small writes and syncs cheap.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tav-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

TreeState StateOf(const ComponentTree& tree) {
  TreeState state;
  const int count = tree.Count();
  state.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    state.push_back({node->Level(), node->Text(), node->ImageIndex(), node->SelectedIndex()});
  }
  return state;
}

std::string Printable(std::string_view text, std::size_t limit) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 32 && byte < 127 && byte != '\\') {
      out.push_back(static_cast<char>(byte));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  if (text.size() > limit) out += "...";
  return out;
}

std::string ScratchPath(std::string_view name) {
  static const ScratchFolder folder;
  return folder.path() + "/" + std::string(name);
}

void WriteInputFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write fuzz input file " + path);
}

void AppendComponent(ComponentTree& tree, std::string designator, std::string x, std::string y,
                     std::string feeder, int imageIndex) {
  auto add = [&tree](TreeNode* parent, std::string text, int image) {
    TreeNode* node = tree.AddChild(parent, std::move(text));
    tree.SetIcons(node, image);
    return node;
  };
  TreeNode* component = add(nullptr, std::move(designator), imageIndex);
  add(component, "Comment: ", icon::kAttribute);
  add(component, "Footprint: ", icon::kAttribute);
  add(component, "Layer: ", icon::kAttribute);
  add(component, "Rotation: ", icon::kAttribute);
  add(component, std::move(feeder), icon::kAttribute);
  TreeNode* position = add(component, "Position", icon::kPositionGroup);
  add(position, std::move(x), icon::kXValue);
  add(position, std::move(y), icon::kYValue);
  TreeNode* size = add(component, "Gr\xF6sse", icon::kSizeGroup);
  add(size, "0", icon::kXValue);
  add(size, "0", icon::kYValue);
  add(size, "0", icon::kZValue);
}

std::vector<std::string*> StoredFields(MachineSettings& settings) {
  std::vector<std::string*> fields;
  for (FeederSettings& feeder : settings.feeders) {
    for (std::string* field : {&feeder.x, &feeder.y, &feeder.z, &feeder.offset, &feeder.direction})
      fields.push_back(field);
  }
  for (std::string* field : {&settings.liftFeed, &settings.placeFeed, &settings.travelFeed,
                             &settings.valveOnCode, &settings.valveDelay, &settings.maxPartHeight})
    fields.push_back(field);
  return fields;
}

// The pieces between line breaks: LF only, or with `crToo` also CR LF and a
// lone CR. A break at the very end adds no empty piece.
static std::vector<std::string_view> SplitAt(std::string_view text, bool crToo) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of(crToo ? "\r\n" : "\n", start), text.size());
    pieces.push_back(text.substr(start, end - start));
    start = end;
    if (crToo && start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return pieces;
}

std::vector<std::string_view> SplitAtNewline(std::string_view text) { return SplitAt(text, false); }

std::vector<std::string_view> SplitAtLineBreaks(std::string_view text) {
  return SplitAt(text, true);
}

}  // namespace tav::fuzz
