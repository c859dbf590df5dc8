// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/GrblProgram.h"

#include <cstdio>

#include "core/Error.h"
#include "core/LineBreaks.h"
#include "machine/MachineMessages.h"

namespace tav::machine {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "'!'" for printable bytes, "0x85" for the others.
std::string ShownByte(unsigned char byte) {
  if (byte >= 0x20 && byte < 0x7F) return std::string("'") + static_cast<char>(byte) + "'";
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

}  // namespace

bool IsRealTimeByte(unsigned char byte) {
  return byte == '?' || byte == '!' || byte == '~' || byte == 0x18 || byte >= 0x80;
}

std::string StripComments(std::string_view line) {
  std::string command;
  bool inParentheses = false;
  for (const char c : line) {
    if (inParentheses) {
      if (c == ')') inParentheses = false;
    } else if (c == '(') {
      inParentheses = true;
    } else if (c == ';') {
      break;
    } else {
      command += c;
    }
  }
  std::size_t begin = 0;
  while (begin < command.size() && IsBlank(command[begin])) ++begin;
  std::size_t end = command.size();
  while (end > begin && IsBlank(command[end - 1])) --end;
  return command.substr(begin, end - begin);
}

GrblProgram GrblProgram::Prepare(std::string_view text, std::size_t bufferSize) {
  GrblProgram program;
  std::size_t fileLine = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = LineEnd(text, pos);
    const std::string_view line = text.substr(pos, end - pos);
    pos = AfterLineBreak(text, end);
    ++fileLine;
    for (const char c : line) {
      const auto byte = static_cast<unsigned char>(c);
      if (IsRealTimeByte(byte))
        throw Error(FormatMessage(msg::kRealTimeByteInProgram,
                                  {std::to_string(fileLine), ShownByte(byte)}));
    }
    std::string command = StripComments(line);
    if (command.empty()) continue;
    if (command.size() + 1 > bufferSize)
      throw Error(FormatMessage(msg::kLineTooLong,
                                {std::to_string(fileLine), std::to_string(command.size() + 1),
                                 std::to_string(bufferSize)}));
    program.totalBytes_ += command.size() + 1;
    program.lines_.push_back({std::move(command), fileLine});
  }
  return program;
}

}  // namespace tav::machine
