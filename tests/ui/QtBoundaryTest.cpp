// SPDX-License-Identifier: GPL-3.0-or-later
// The small conversions at the Qt boundary: text, titles, separators, sorting,
// editor line breaks.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>

#include <algorithm>
#include <string>
#include <vector>

#include "gcode/GCodeGenerator.h"
#include "project/ProjectFile.h"
#include "ui/ApplicationTitle.h"
#include "ui/EditorText.h"
#include "ui/FilePath.h"
#include "ui/ImageList.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/LocaleTextLess.h"
#include "ui/ProgramEditor.h"
#include "ui/TextCodec.h"

namespace tav::ui {
namespace {

TEST(TextCodecTest, EveryByteRoundTrips) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  const QString text = ToQString(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(FromQString(text), all);
  // Spot checks of the code page: ö, €, and a byte without a character.
  EXPECT_EQ(text.at(0xF6), QChar(0x00F6));
  EXPECT_EQ(text.at(0x80), QChar(0x20AC));
  EXPECT_EQ(text.at(0x81), QChar(0x0081));
}

TEST(TextCodecTest, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  EXPECT_EQ(FromQString(QStringLiteral("a\u2192b")), "a?b");
  EXPECT_EQ(FromQString(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");  // a surrogate pair
  EXPECT_EQ(FromQString(QStringLiteral("Gr\u00f6sse \u20ac")), "Gr\xF6sse \x80");
}

TEST(ApplicationTitleTest, FileNameWithoutFolderAndDotsCapitalised) {
  EXPECT_EQ(ApplicationTitleOf("/usr/local/bin/tavoline"), "Tavoline");
  EXPECT_EQ(ApplicationTitleOf("/opt/TAVOLINE.EXE"), "Tavoline");
  EXPECT_EQ(ApplicationTitleOf("/opt/my.app.v2/tav.line.bin"), "Tav");
  EXPECT_EQ(ApplicationTitleOf("/opt/.hidden"), "");
}

TEST(DecimalSeparatorOfTest, FirstCharacterOfTheLocalesPoint) {
  EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::German, QLocale::Germany)), ',');
  EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), '.');
  EXPECT_EQ(DecimalSeparatorOf(QLocale::c()), '.');
  // Arabic uses U+066B, which Windows-1252 cannot hold.
  EXPECT_EQ(DecimalSeparatorOf(QLocale(QLocale::Arabic, QLocale::Egypt)), '.');
}

TEST(LocaleTextLessTest, CaseSensitiveCollationWithDigitsAsCharacters) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  std::vector<std::string> designators{"R2", "C1", "R10", "c2", "R1"};
  std::stable_sort(designators.begin(), designators.end(), LocaleTextLess());
  EXPECT_EQ(designators, (std::vector<std::string>{"C1", "c2", "R1", "R10", "R2"}));
  const auto less = LocaleTextLess();
  EXPECT_NE(less("a", "A"), less("A", "a"));  // case counts
  EXPECT_FALSE(less("R1", "R1"));
  QLocale::setDefault(previous);
}

TEST(EditorTextTest, GeneratedTextComesBackByteForByte) {
  ProgramEditor editor;
  const std::string program = "(-- x --)\r\n\r\n%\r\nG00 X1\xA0Y2 F20\r\n%\r\n";
  SetEditorText(editor, program);
  EXPECT_EQ(editor.blockCount(), 6);
  EXPECT_EQ(EditorTextWithCrLf(editor), program);

  SetEditorText(editor, "");
  EXPECT_EQ(EditorTextWithCrLf(editor), "");
  SetEditorText(editor, "no break at the end");
  EXPECT_EQ(EditorTextWithCrLf(editor), "no break at the end");
}

TEST(EditorTextTest, UserLineBreaksBecomeCrLf) {
  ProgramEditor editor;
  SetEditorText(editor, "a\r\n");
  editor.moveCursor(QTextCursor::End);
  editor.insertPlainText("b\nc");
  EXPECT_EQ(EditorTextWithCrLf(editor), "a\r\nb\r\nc");
}

TEST(FilePathTest, NonAsciiNamesSurviveTheCoreRules) {
  const QString path = QStringLiteral("/tmp/Pl\u00e4tze.alt/Platine \u00fc");
  EXPECT_EQ(FromCorePath(ToCorePath(path)), path);
  EXPECT_EQ(FileNamePartOf(path), QStringLiteral("Platine \u00fc"));
  EXPECT_EQ(FromCorePath(ProjectFileName(ToCorePath(path))), path + ".tav");
  EXPECT_EQ(FromCorePath(GCodeFileName(ToCorePath("/a/job.txt"))), "/a/job.txt");
  EXPECT_EQ(FromCorePath(GCodeFileName(ToCorePath("/a/job."))), "/a/job.");
}

TEST(ImageListTest, EightSixteenPixelIconsTransparentExceptTheTiles) {
  for (int index = 0; index < ImageList::kCount; ++index) {
    const QImage image = ImageList::Icon(index).pixmap(16, 16).toImage();
    ASSERT_EQ(image.size(), QSize(16, 16)) << index;
    const bool tile = index >= 2 && index <= 4;  // X, Y and Z fill the whole image
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), tile ? 255 : 0) << index;
  }
  EXPECT_TRUE(ImageList::Icon(8).isNull());
  EXPECT_TRUE(ImageList::Icon(-1).isNull());
}

}  // namespace
}  // namespace tav::ui
