// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardTextReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/LineBreaks.h"
#include "core/MessagePath.h"
#include "core/Messages.h"

namespace tav {
namespace {

// Large enough that reading costs few calls, small enough to stay in the cache.
constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

Error CannotOpen(const std::string& path, const FileAccessError& error) {
  return Error(FormatMessage(msg::kCannotOpen, {FullPathForMessage(path), error.reason()}));
}

class FileBytes final : public BoardBytes {
 public:
  FileBytes(std::string path, std::unique_ptr<FileReader> file)
      : path_(std::move(path)), file_(std::move(file)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    try {
      return file_->Read(buffer, size);
    } catch (const FileAccessError& error) {
      throw CannotOpen(path_, error);
    }
  }
  void Seek(std::uint64_t offset) override {
    try {
      file_->Seek(offset);
    } catch (const FileAccessError& error) {
      throw CannotOpen(path_, error);
    }
  }

 private:
  std::string path_;
  std::unique_ptr<FileReader> file_;
};

class MemoryBytes final : public BoardBytes {
 public:
  explicit MemoryBytes(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }
  void Seek(std::uint64_t offset) override {
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes_.size()));
  }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

// Number of bytes below 128 at the start of `bytes`.
std::size_t AsciiPrefix(std::string_view bytes) noexcept {
  std::size_t pos = 0;
  for (std::uint64_t eight = 0; pos + sizeof eight <= bytes.size(); pos += sizeof eight) {
    std::memcpy(&eight, bytes.data() + pos, sizeof eight);
    if ((eight & 0x8080808080808080U) != 0) break;
  }
  while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) ++pos;
  return pos;
}

}  // namespace

std::unique_ptr<BoardBytes> OpenBoardBytes(const std::string& path) {
  try {
    auto file = std::make_unique<FileReader>(path);
    if (file->CanSeek()) return std::make_unique<FileBytes>(path, std::move(file));
    std::string bytes;
    std::string piece(kPieceBytes, '\0');
    while (const std::size_t count = file->Read(piece.data(), piece.size()))
      bytes.append(piece, 0, count);
    return BoardBytesOf(std::move(bytes));
  } catch (const FileAccessError& error) {
    throw CannotOpen(path, error);
  }
}

std::unique_ptr<BoardBytes> BoardBytesOf(std::string bytes) {
  return std::make_unique<MemoryBytes>(std::move(bytes));
}

BoardTextReader::BoardTextReader(std::unique_ptr<BoardBytes> bytes) : bytes_(std::move(bytes)) {
  Start();
}

void BoardTextReader::Start() {
  raw_.clear();
  text_.clear();
  offset_ = 0;
  rawEnd_ = false;
  lineStart_ = 0;
  scanned_ = 0;
  textEnd_ = false;
  bytes_->Seek(0);
  while (raw_.size() < 3 && Fill()) {
  }
  if (const std::optional<TextEncoding> mark = EncodingOfMark(raw_)) {
    decided_ = true;
    encoding_ = *mark;
    markLength_ = MarkLength(*mark);
    raw_.erase(0, markLength_);
    offset_ = markLength_;
  }
}

void BoardTextReader::Rewind() { Start(); }

bool BoardTextReader::Fill() {
  if (rawEnd_) return false;
  const std::size_t old = raw_.size();
  raw_.resize(old + kPieceBytes);
  const std::size_t count = bytes_->Read(raw_.data() + old, kPieceBytes);
  raw_.resize(old + count);
  rawEnd_ = count == 0;
  return count > 0;
}

void BoardTextReader::DecideEncoding(std::uint64_t from) {
  // Everything before `from` is plain ASCII, which is the same in both
  // encodings and cannot make UTF-8 invalid.
  bytes_->Seek(from);
  Utf8Check check;
  std::string piece;
  for (bool last = false; check.valid && !last;) {
    const std::size_t old = piece.size();
    piece.resize(old + kPieceBytes);
    const std::size_t count = bytes_->Read(piece.data() + old, kPieceBytes);
    piece.resize(old + count);
    last = count == 0;
    check = check.Add(piece, last);
    piece.erase(0, check.taken);
  }
  decided_ = true;
  encoding_ = check.valid && check.multiByte ? TextEncoding::kUtf8 : TextEncoding::kWindows1252;
  bytes_->Seek(offset_ + raw_.size());
}

void BoardTextReader::Decode() {
  if (raw_.size() < kPieceBytes) Fill();
  const bool last = rawEnd_;
  const std::string_view bytes(raw_);
  const std::size_t before = text_.size();
  std::size_t taken = 0;
  if (!decided_) {
    taken = AsciiPrefix(bytes);
    text_.append(bytes.substr(0, taken));
    if (taken < bytes.size()) {
      DecideEncoding(offset_ + taken);
    } else if (last) {
      decided_ = true;  // ASCII throughout
      encoding_ = TextEncoding::kWindows1252;
    }
  }
  if (decided_) taken += DecodeBoardPiece(bytes.substr(taken), encoding_, last, text_);
  raw_.erase(0, taken);
  offset_ += taken;
  // A NUL byte ends the text.
  const std::size_t nul = text_.find('\0', before);
  if (nul != std::string::npos) text_.resize(nul);
  textEnd_ = last || nul != std::string::npos;
}

bool BoardTextReader::Next(std::string_view& line) {
  for (;;) {
    const std::string_view text(text_);
    const std::size_t end = LineEnd(text, scanned_);
    // A CR last in the text read so far may be the first half of CR LF.
    if (end < text.size() && (textEnd_ || text[end] == '\n' || end + 1 < text.size())) {
      line = text.substr(lineStart_, end - lineStart_);
      lineStart_ = scanned_ = AfterLineBreak(text, end);
      return true;
    }
    if (textEnd_) {
      if (lineStart_ == text.size()) return false;
      line = text.substr(lineStart_);
      lineStart_ = scanned_ = text.size();
      return true;
    }
    // Keep only the unfinished line, then decode the next piece after it.
    text_.erase(0, lineStart_);
    scanned_ = end - lineStart_;
    lineStart_ = 0;
    Decode();
  }
}

TextEncoding BoardTextReader::Encoding() {
  // Undecided, every byte decoded so far was ASCII.
  if (!decided_) DecideEncoding(offset_);
  return encoding_;
}

}  // namespace tav
