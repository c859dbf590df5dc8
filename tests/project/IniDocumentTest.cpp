// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
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

namespace tav {
namespace {

// A plain model of the store's rules: sections and keys matched without case
// and surrounding blanks, the first one counting, new ones at the end.
class ModelIni {
 public:
  std::optional<std::string> Find(const std::string& section, const std::string& key) const {
    const auto* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    for (const auto& [k, v] : s->second)
      if (IniNameEqual(k, key)) return v;
    return std::nullopt;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) {
    auto* s = FindSection(section);
    if (s == nullptr) s = &sections_.emplace_back(section, Entries{});
    for (auto& [k, v] : s->second)
      if (IniNameEqual(k, key)) {
        v = value;
        return;
      }
    s->second.emplace_back(std::string(TrimIniBlanks(key)), value);
  }
  void EraseKey(const std::string& section, const std::string& key) {
    if (auto* s = FindSection(section))
      std::erase_if(s->second, [&](const auto& entry) { return IniNameEqual(entry.first, key); });
  }
  void EraseSection(const std::string& section) {
    std::erase_if(sections_, [&](const auto& s) { return IniNameEqual(s.first, section); });
  }
  std::vector<std::string> Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const auto* s = FindSection(section))
      for (const auto& entry : s->second) keys.push_back(entry.first);
    return keys;
  }

 private:
  using Entries = std::vector<std::pair<std::string, std::string>>;
  using Section = std::pair<std::string, Entries>;
  Section* FindSection(const std::string& name) {
    for (auto& s : sections_)
      if (IniNameEqual(s.first, name)) return &s;
    return nullptr;
  }
  const Section* FindSection(const std::string& name) const {
    return const_cast<ModelIni*>(this)->FindSection(name);
  }
  std::vector<Section> sections_;
};

// Numbered keys in order take the store's fastest paths; the random mix
// breaks and restarts those runs. Every answer must match the model.
TEST(IniDocument, AgreesWithAPlainModel) {
  const std::vector<std::string> sections = {"S", "s ", "T"};
  const std::vector<std::string> keys = {"Node0", "Node1", "Node2", "node3", " NODE4", "Node01",
                                         "0",     "1",     "2",     "3",     "x",      "X "};
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    IniDocument doc;
    ModelIni model;
    for (int n = 0; n < round % 6; ++n) {  // a numbered run to start from
      doc.AppendEntry("S", "Node" + std::to_string(n), "start");
      model.Write("S", "Node" + std::to_string(n), "start");
    }
    if (round % 2) doc = IniDocument(doc.Serialize());
    for (int step = 0; step < 200; ++step) {
      const std::string& section = sections[random() % sections.size()];
      // Mostly the next numbered key, so runs form.
      const std::string key = random() % 3
                                  ? keys[random() % keys.size()]
                                  : (random() % 2 ? "Node" : "") + std::to_string(step % 7);
      const std::string value = "v" + std::to_string(step);
      switch (random() % 8) {
        case 0:
          doc.EraseKey(section, key);
          model.EraseKey(section, key);
          break;
        case 1:
          if (random() % 4 == 0) {
            doc.EraseSection(section);
            model.EraseSection(section);
          }
          break;
        case 2:
          if (!model.Find(section, key)) {
            doc.AppendEntry(section, key, value);
            model.Write(section, key, value);
          }
          break;
        default:
          doc.WriteString(section, key, value);
          model.Write(section, key, value);
      }
      for (const std::string& probe : keys)
        ASSERT_EQ(doc.Find(section, probe), model.Find(section, probe))
            << "round " << round << " step " << step << " key " << probe;
    }
    const IniDocument reread(doc.Serialize());
    for (const std::string& section : sections) {
      ASSERT_EQ(doc.ReadSection(section), model.Keys(section)) << round;
      ASSERT_EQ(reread.ReadSection(section), model.Keys(section)) << round;
      for (const std::string& probe : keys)
        ASSERT_EQ(reread.Find(section, probe), model.Find(section, probe)) << round;
    }
  }
}

TEST(IniDocument, NumberedKeysMatchOnlyTheirExactName) {
  const IniDocument doc("[S]\r\nNode5=a\r\nNode6=b\r\nNode7=c\r\n");
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> probes = {
      {"Node5", "a"}, {" node6\t", "b"}, {"NODE7", "c"}, {"Node4", "-"}, {"Node8", "-"},
      {"Node06", "-"}, {"Node 6", "-"}, {"Node", "-"}, {"Nod6", "-"}, {"6", "-"}, {"Node+6", "-"}};
  // clang-format on
  for (const auto& [key, value] : probes) EXPECT_EQ(doc.ReadString("S", key, "-"), value) << key;
}

}  // namespace
}  // namespace tav
