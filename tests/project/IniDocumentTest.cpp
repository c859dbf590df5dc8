#include "project/IniDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tav {
namespace {

using Keys = std::vector<std::string>;

TEST(IniDocument, ReadsValuesByteForByte) {
  const IniDocument doc(
      "[S]\r\nplain=abc\r\nblank= lead and trail \r\nquoted=\"q\"\r\nempty=\r\n"
      "equals=a=b#c\r\nhigh=Gr\xF6sse\r\n");
  EXPECT_EQ(doc.ReadString("S", "plain", "-"), "abc");
  EXPECT_EQ(doc.ReadString("S", "blank", "-"), " lead and trail ");
  EXPECT_EQ(doc.ReadString("S", "quoted", "-"), "\"q\"");
  EXPECT_EQ(doc.ReadString("S", "empty", "-"), "");
  EXPECT_EQ(doc.ReadString("S", "equals", "-"), "a=b#c");
  EXPECT_EQ(doc.ReadString("S", "high", "-"), "Gr\xF6sse");
  EXPECT_EQ(doc.ReadString("S", "missing", "-"), "-");
  EXPECT_EQ(doc.ReadString("Other", "plain", "-"), "-");
}

TEST(IniDocument, MatchesNamesInAnyCaseAndWithBlanksAround) {
  const IniDocument doc("[ Feeder\t]\r\n  f1x =1\r\n\tSPEED\t= 2\r\n");
  EXPECT_EQ(doc.ReadString("feeder", "F1X", "-"), "1");
  EXPECT_EQ(doc.ReadString("FEEDER", "speed", "-"), " 2");
  EXPECT_EQ(doc.ReadSection("Feeder"), (Keys{"f1x", "SPEED"}));
}

TEST(IniDocument, AcceptsEveryLineEnd) {
  for (const std::string ends : {"\r\n", "\n", "\r"}) {
    const IniDocument doc("[S]" + ends + "a=1" + ends + "b=2" + ends + "[T]" + ends + "c=3");
    EXPECT_EQ(doc.ReadSection("S"), (Keys{"a", "b"}));
    EXPECT_EQ(doc.ReadString("T", "c", "-"), "3");
    EXPECT_EQ(doc.Serialize(), "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n");
  }
}

TEST(IniDocument, FirstOfDuplicateKeysAndSectionsCounts) {
  IniDocument doc("[S]\r\nk=first\r\nK=second\r\nj=x\r\n[s]\r\nk=third\r\nz=1\r\n");
  EXPECT_EQ(doc.ReadString("S", "k", "-"), "first");
  EXPECT_EQ(doc.ReadSection("S"), (Keys{"k", "j"}));
  EXPECT_EQ(doc.ReadString("S", "z", "-"), "-");
  doc.WriteString("S", "k", "new");
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=new\r\nK=second\r\nj=x\r\n[s]\r\nk=third\r\nz=1\r\n");
}

TEST(IniDocument, KeepsLinesItDoesNotUnderstand) {
  const std::string text =
      "preamble=not an entry\r\n; comment\r\n\r\n[S]\r\n; note=here\r\nno equals sign\r\n"
      "=no key\r\n[broken\r\nk=v\r\n\r\n[T]\r\n";
  IniDocument doc(text);
  EXPECT_EQ(doc.ReadSection("S"), (Keys{"k"}));
  EXPECT_EQ(doc.Serialize(), text);
  // A new key goes after the last entry, before the blank line that ends the section.
  doc.WriteString("S", "new", "1");
  EXPECT_EQ(doc.Serialize(),
            "preamble=not an entry\r\n; comment\r\n\r\n[S]\r\n; note=here\r\nno equals sign\r\n"
            "=no key\r\n[broken\r\nk=v\r\nnew=1\r\n\r\n[T]\r\n");
}

TEST(IniDocument, ByteOrderMarkDoesNotHideTheFirstSection) {
  const IniDocument doc("\xEF\xBB\xBF[S]\r\nk=v\r\n");
  EXPECT_EQ(doc.ReadString("S", "k", "-"), "v");
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
}

TEST(IniDocument, WritesInPlaceAndCreatesSectionsAtTheEnd) {
  IniDocument doc("[A]\r\nx = old\r\ny=2\r\n[B]\r\nz=3\r\n");
  doc.WriteString("a", "X", "new");
  doc.WriteString("A", "w", "4");
  doc.WriteString("C", "v", "5");
  doc.WriteString("C", "v", "6");
  EXPECT_EQ(doc.Serialize(), "[A]\r\nx =new\r\ny=2\r\nw=4\r\n[B]\r\nz=3\r\n[C]\r\nv=6\r\n");
  EXPECT_EQ(doc.ReadSection("A"), (Keys{"x", "y", "w"}));
  EXPECT_EQ(doc.ReadSectionValues("A"), (std::vector<std::string_view>{"new", "2", "4"}));
}

TEST(IniDocument, ErasedSectionComesBackAtTheEnd) {
  IniDocument doc("[components]\r\nNode0=a\r\n[Icons]\r\n0=0\r\n[COMPONENTS]\r\nNode9=z\r\n");
  EXPECT_TRUE(doc.EraseSection(" Components "));
  EXPECT_FALSE(doc.EraseSection("components"));
  EXPECT_EQ(doc.ReadSection("components"), Keys{});
  doc.WriteString("components", "Node0", "b");
  EXPECT_EQ(doc.Serialize(), "[Icons]\r\n0=0\r\n[components]\r\nNode0=b\r\n");
}

TEST(IniDocument, ErasedKeyIsGoneWithItsDuplicates) {
  IniDocument doc("[S]\r\na=1\r\nb=2\r\n A =3\r\n; a=4\r\n[T]\r\na=5\r\n");
  EXPECT_TRUE(doc.EraseKey("s", "a"));
  EXPECT_FALSE(doc.EraseKey("S", "a"));
  EXPECT_FALSE(doc.EraseKey("missing", "a"));
  EXPECT_EQ(doc.ReadString("S", "a", "-"), "-");
  EXPECT_EQ(doc.ReadSection("S"), Keys{"b"});
  doc.WriteString("S", "a", "6");
  EXPECT_EQ(doc.Serialize(), "[S]\r\nb=2\r\na=6\r\n; a=4\r\n[T]\r\na=5\r\n");
}

TEST(IniDocument, EmptyDocumentWritesOnlyWhatIsWritten) {
  IniDocument doc;
  EXPECT_EQ(doc.Serialize(), "");
  EXPECT_FALSE(doc.EraseSection("components"));
  EXPECT_EQ(doc.Serialize(), "");
  doc.WriteString("S", "k", "");
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=\r\n");
}

TEST(IniDocument, RefusesWhatCannotStandInALine) {
  IniDocument doc("[S]\r\nk=v\r\n");
  const std::vector<std::vector<std::string>> bad = {
      {"S", "k", "a\r\n[T]"}, {"S", "k", "a\nb"}, {"S", "k=x", "v"}, {"S", "", "v"},
      {"S", " ", "v"},        {"S", "[T]", "v"},  {"S", ";c", "v"},  {"S", "a\rb", "v"},
      {"", "k", "v"},         {"S]x", "k", "v"},  {"S\n", "k", "v"},
  };
  for (const auto& args : bad) {
    EXPECT_THROW(doc.WriteString(args[0], args[1], args[2]), std::invalid_argument)
        << args[0] << "|" << args[1] << "|" << args[2];
  }
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=v\r\n");
}

TEST(IniDocument, HasNoLimitOnKeysOrValueLength) {
  IniDocument doc;
  const std::string longValue(100000, 'x');
  for (int i = 0; i < 5000; ++i) doc.WriteString("S", "Node" + std::to_string(i), "#v");
  doc.WriteString("S", "Node4321", longValue);
  const IniDocument reread(doc.Serialize());
  const auto keys = reread.ReadSection("S");
  ASSERT_EQ(keys.size(), 5000u);
  EXPECT_EQ(keys.back(), "Node4999");
  EXPECT_EQ(reread.ReadString("S", "Node4321", ""), longValue);
  EXPECT_EQ(reread.ReadString("S", "Node4322", ""), "#v");
}

}  // namespace
}  // namespace tav
