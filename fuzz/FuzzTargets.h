// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// The fuzz targets. Each takes one input of arbitrary bytes and checks a
// property of the code under test, not only that it survives. The same
// functions run under libFuzzer (fuzz/LibFuzzerMain.cpp) and, over the
// committed corpus and crash inputs, in the normal test suite.
namespace tav::fuzz {

// A broken property. Deliberately not a tav::Error, so no code under test
// can catch it as an ordinary user-facing failure.
class PropertyViolation : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Throws PropertyViolation with `what` unless `condition` holds.
void Expect(bool condition, std::string_view what);

struct FuzzTarget {
  std::string_view name;  // also the folder name under fuzz/corpus and fuzz/crashes
  void (*run)(std::string_view input);
};

std::span<const FuzzTarget> FuzzTargets();
const FuzzTarget* FindFuzzTarget(std::string_view name);

// Runs `target` on `input` and describes what went wrong: a broken property,
// a tav::Error the target did not expect, or any other exception. Gives an
// empty text when all went well.
std::string RunFuzzTarget(const FuzzTarget& target, std::string_view input);

// Numbers: any text either converts or raises the conversion error naming
// exactly that text; what NumberToText writes is accepted again; results
// agree with the C library where the conversion is exactly rounded.
void FuzzNumbers(std::string_view input);
// Lines and fields: SplitLines/JoinLines round-trip, SplitFields and
// ReplaceText keep every byte they should.
void FuzzLines(std::string_view input);
// Pick-and-place import of arbitrary bytes: an error with the tree unchanged,
// or whole 13-node blocks, one per data row, in file order.
void FuzzImport(std::string_view input);
// INI documents: parse, write and parse again gives the same sections, keys
// and values; updates read back as written.
void FuzzIni(std::string_view input);
// Tree text form and project files: a clear error with everything unchanged,
// or a tree and settings that survive save and reload unchanged.
void FuzzProject(std::string_view input);
// The G-code generator on trees and settings built from the input: a program
// of the expected shape or a tav::Error, never another exception.
void FuzzGCode(std::string_view input);

}  // namespace tav::fuzz
