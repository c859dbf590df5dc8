// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "boards/BoardLines.h"
#include "boards/TextDecoding.h"

namespace tav {

// The bytes of a board file, read piece by piece and from any offset again.
class BoardBytes {
 public:
  virtual ~BoardBytes() = default;
  // Fills up to `size` bytes of `buffer`; 0 at the end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  virtual void Seek(std::uint64_t offset) = 0;
};

// The file at `path`, read in pieces; a file that cannot be read again (a
// pipe) is read whole first. Failures throw Error "Datei %s kann nicht
// geöffnet werden. %s", also when reading fails later.
std::unique_ptr<BoardBytes> OpenBoardBytes(const std::string& path);

// Bytes already in memory.
std::unique_ptr<BoardBytes> BoardBytesOf(std::string bytes);

// The lines of a board file's decoded text, read and decoded piece by piece:
// the same lines as LineViews(DecodeBoardText(bytes).text), in memory that
// does not grow with the file (only with its longest line). The encoding of a
// file without a mark is known once a byte above 127 shows up; then the rest
// of the file is checked for UTF-8 ahead of the reading (DecodeBoardText's
// rule), which reads that part twice.
class BoardTextReader final : public LineSource {
 public:
  explicit BoardTextReader(std::unique_ptr<BoardBytes> bytes);

  bool Next(std::string_view& line) override;
  // Back to the first line.
  void Rewind();
  // The file's encoding (read ahead to the end if still open).
  TextEncoding Encoding();

 private:
  void Start();
  bool Fill();
  void Decode();
  void DecideEncoding(std::uint64_t from);

  std::unique_ptr<BoardBytes> bytes_;
  std::string raw_;           // bytes read, not yet decoded
  std::uint64_t offset_ = 0;  // offset of raw_[0] in the file
  bool rawEnd_ = false;       // the file's last byte is in raw_
  std::string text_;          // decoded text
  std::size_t lineStart_ = 0;
  std::size_t scanned_ = 0;  // text_ from lineStart_ to here holds no line break
  bool textEnd_ = false;     // text_ holds the rest of the text
  std::size_t markLength_ = 0;
  bool decided_ = false;
  TextEncoding encoding_ = TextEncoding::kWindows1252;
};

}  // namespace tav
