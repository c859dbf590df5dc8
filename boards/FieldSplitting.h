// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tav {

// How the fields of a board file's lines are separated.
enum class Delimiter { kTab, kSemicolon, kComma, kBlanks };

// Cuts `line` into `fields` (reused, so a reader splitting many rows allocates
// little). Quotes as in RFC 4180: a field starting with a double quote (after
// blanks) runs to the closing quote, keeping delimiters inside it, and "" in it
// is one quote. Every field loses its surrounding blanks and tabs. With
// kBlanks, fields are separated by runs of blanks and tabs and blanks at either
// end of the line give no empty field; an empty line then has no fields.
void SplitBoardFields(std::string_view line, Delimiter delimiter, std::vector<std::string>& fields);

// The same cut as views, for reading many rows without a string per field: a
// field is a view into `line`, or into `buffer` where quotes were removed.
// The views stay valid until `line` or `buffer` changes.
void SplitBoardFieldViews(std::string_view line, Delimiter delimiter,
                          std::vector<std::string_view>& fields, std::string& buffer);

// The delimiter of a header line: TAB, ";" or ",", whichever splits it into
// the most fields (ties in that order); kBlanks when none splits it.
Delimiter DelimiterOf(std::string_view header, std::vector<std::string>& scratch);

// German name of the delimiter, for the import's summary.
std::string_view DelimiterName(Delimiter delimiter) noexcept;

}  // namespace tav
