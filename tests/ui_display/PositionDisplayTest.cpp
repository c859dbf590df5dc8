// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PositionDisplay.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <set>
#include <utility>

#include "boards/PickPlaceImport.h"
#include "core/ComponentTree.h"
#include "core/DecimalSeparator.h"
#include "support/ComponentBlocks.h"
#include "ui/ErrorDisplay.h"
#include "ui/LocaleDecimalSeparator.h"
#include "ui/WindowFont.h"

namespace tav::ui {
namespace {

using Pixels = std::set<std::pair<int, int>>;

// Client size that gives the image area `width` × `height` pixels.
QSize WindowForImage(int width, int height) { return {width + 618 - 438, height + 345 - 293}; }

class PositionDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrorDisplay::SetSinkForTesting(
        [this](const QString&, const QString& text) { errors_.push_back(text); });
  }
  void TearDown() override { ErrorDisplay::SetSinkForTesting({}); }

  template <typename T>
  T* Child(const char* name) {
    T* child = form_.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Text(const char* label) { return Child<QLabel>(label)->text(); }
  void Draw() { Child<QPushButton>("Button1")->click(); }

  // Shows the form with one component drawn at the scale of an 80 mm board.
  void ShowOneDrawnComponent() {
    import_.largestX = 80;
    test::AddComponent(tree_, "R1", "10", "10");
    form_.ShowAndRaise();
    Draw();
    ASSERT_EQ(WhitePixels().size(), 2u);
  }

  // Every white pixel of the surface; the rest must be black.
  Pixels WhitePixels() {
    Pixels white;
    const QImage& surface = form_.Surface();
    for (int y = 0; y < surface.height(); ++y) {
      for (int x = 0; x < surface.width(); ++x) {
        const QRgb rgb = surface.pixel(x, y);
        if (rgb == qRgb(255, 255, 255)) {
          white.insert({x, y});
        } else {
          EXPECT_EQ(rgb, qRgb(0, 0, 0)) << x << "," << y;
        }
      }
    }
    return white;
  }

  ComponentTree tree_;
  ImportSummary import_;
  PositionDisplay form_{tree_, import_};
  QStringList errors_;
};

TEST_F(PositionDisplayTest, DesignLayout) {
  EXPECT_EQ(form_.objectName(), "TForm2");
  EXPECT_EQ(form_.windowTitle(), "VirtualPositionDisplay");
  EXPECT_EQ(form_.size(), QSize(618, 345));
  EXPECT_FALSE(form_.isVisible());
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form_.font(), WindowFont());  // the main window's font

  struct Control {
    const char* name;
    QRect geometry;
    QString text;
  };
  // clang-format off
  const Control controls[] = {
      {"Button1", {501, 21, 97, 25}, "Draw"},
      {"Panel1", {24, 23, 440, 295}, {}},
      {"Image1", {1, 1, 438, 293}, {}},
      {"Label1", {481, 287, 63, 13}, QString::fromUtf8("Verh\u00e4ltnis X: ")},
      {"Label2", {481, 306, 63, 13}, QString::fromUtf8("Verh\u00e4ltnis Y: ")},
      {"Label_Ver_X", {550, 287, 59, 13}, "Label_Ver_X"},
      {"Label_Ver_Y", {550, 306, 59, 13}, "Label_Ver_Y"},
      {"Label3", {8, 22, 12, 24}, "Y"},
      {"Label4", {444, 320, 12, 24}, "X"},
      {"Label5", {481, 247, 45, 13}, "Bauteile: "},
      {"Label_Bauteile", {550, 247, 69, 13}, "Label_Bauteile"},
  };
  // clang-format on
  for (const Control& c : controls) {
    QWidget* w = Child<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), c.geometry) << c.name;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(label->text(), c.text) << c.name;
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      EXPECT_EQ(button->text(), c.text);
    }
  }
  EXPECT_EQ(Child<QWidget>("Image1")->parentWidget(), Child<QWidget>("Panel1"));
  EXPECT_EQ(Child<QLabel>("Label3")->font().pixelSize(), 20);
  EXPECT_EQ(Child<QLabel>("Label4")->font().pixelSize(), 20);

  // A new surface covers the image area in white; the factors start at 0.
  EXPECT_EQ(form_.Surface().size(), QSize(438, 293));
  EXPECT_EQ(form_.Surface().depth(), 24);
  EXPECT_EQ(form_.Surface().pixel(200, 100), qRgb(255, 255, 255));
  EXPECT_EQ(form_.VerX(), 0);
  EXPECT_EQ(form_.VerY(), 0);
}

TEST_F(PositionDisplayTest, ShowScalesToTheLastImportAndClearsToBlack) {
  // Before any import only the 20 mm margin counts.
  form_.ShowAndRaise();
  ASSERT_TRUE(form_.isVisible());
  EXPECT_EQ(form_.VerX(), 21.9);
  EXPECT_EQ(Text("Label_Ver_X"), "21.9 P/mm");
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));

  form_.close();
  EXPECT_FALSE(form_.isVisible());
  import_.largestX = 80;
  import_.largestY = 80;
  form_.ShowAndRaise();
  EXPECT_EQ(form_.VerX(), 4.38);
  EXPECT_EQ(form_.VerY(), 2.93);
  EXPECT_EQ(Text("Label_Ver_X"), "4.38 P/mm");
  EXPECT_EQ(Text("Label_Ver_Y"), "2.93 P/mm");
  EXPECT_EQ(Text("Label_Bauteile"), "Label_Bauteile");
}

TEST_F(PositionDisplayTest, DrawPlotsIncludedComponentsAndCountsThem) {
  import_.largestX = 80;
  import_.largestY = 80;
  test::AddComponent(tree_, "R1", "80mm", "0mm");  // 350.4 -> column 360
  test::AddComponent(tree_, "R2", "0", "80");      // 234.4 -> row 244
  test::AddComponent(tree_, "C1", "10", "10", "Feeder: 1", false);
  test::AddComponent(tree_, "C2", "12.7MM", "12.7mm");  // 55.626, 37.211
  test::AddComponent(tree_, "C3", "100", "10");         // column 448: outside
  form_.ShowAndRaise();
  Draw();
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}, {360, 10}, {10, 244}, {66, 47}}));
  EXPECT_EQ(Text("Label_Bauteile"), "4");

  // Excluding a component and drawing again leaves its old pixel and lowers the count.
  tree_.SetImageIndex(tree_.NodeAt(13), 1);
  Draw();
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}, {360, 10}, {10, 244}, {66, 47}}));
  EXPECT_EQ(Text("Label_Bauteile"), "3");
}

TEST_F(PositionDisplayTest, HalfwayProductsGoToTheEvenPixel) {
  import_.largestX = 780;
  import_.largestY = 780;
  form_.resize(WindowForImage(400, 200));
  form_.ShowAndRaise();
  ASSERT_EQ(form_.Surface().size(), QSize(400, 200));
  ASSERT_EQ(form_.VerX(), 0.5);
  ASSERT_EQ(form_.VerY(), 0.25);
  test::AddComponent(tree_, "R1", "5", "2");  // 2.5 and 0.5 go down
  test::AddComponent(tree_, "R2", "7", "6");  // 3.5 and 1.5 go up
  Draw();
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}, {12, 10}, {14, 12}}));
}

TEST_F(PositionDisplayTest, ResizeFollowsEdgesRescalesAndWipesThePlot) {
  ASSERT_NO_FATAL_FAILURE(ShowOneDrawnComponent());

  form_.resize(618 + 82, 345 + 55);
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));
  EXPECT_EQ(form_.Surface().size(), QSize(520, 348));
  EXPECT_EQ(form_.VerX(), 5.2);
  EXPECT_EQ(Text("Label_Ver_X"), "5.2 P/mm");
  EXPECT_EQ(Child<QWidget>("Panel1")->geometry(), QRect(24, 23, 522, 350));
  EXPECT_EQ(Child<QWidget>("Button1")->pos(), QPoint(501 + 82, 21));
  EXPECT_EQ(Child<QWidget>("Label3")->pos(), QPoint(8, 22));
  EXPECT_EQ(Child<QWidget>("Label4")->pos(), QPoint(444 + 82, 320 + 55));
  EXPECT_EQ(Child<QWidget>("Label_Bauteile")->pos(), QPoint(550 + 82, 247 + 55));
  EXPECT_EQ(Child<QWidget>("Label_Ver_Y")->pos(), QPoint(550 + 82, 306 + 55));
}

TEST_F(PositionDisplayTest, MinimiseAndRestoreWipeThePlotButKeepTheScale) {
  ASSERT_NO_FATAL_FAILURE(ShowOneDrawnComponent());

  form_.setWindowState(Qt::WindowMinimized);
  Draw();
  form_.setWindowState(Qt::WindowNoState);
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));
  EXPECT_EQ(form_.VerX(), 4.38);

  // Bringing a minimised display to the front restores it, which is a size change too.
  Draw();
  form_.setWindowState(Qt::WindowMinimized);
  Draw();
  form_.ShowAndRaise();
  EXPECT_FALSE(form_.windowState() & Qt::WindowMinimized);
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));
}

TEST_F(PositionDisplayTest, ShowingAVisibleWindowOnlyRaisesIt) {
  import_.largestX = 80;
  test::AddComponent(tree_, "R1", "10", "10");
  form_.ShowAndRaise();
  Draw();
  import_.largestX = 0;  // a later import does not rescale an open window
  form_.ShowAndRaise();
  EXPECT_EQ(WhitePixels().size(), 2u);
  EXPECT_EQ(form_.VerX(), 4.38);
  int displays = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) displays += w->objectName() == "TForm2";
  EXPECT_EQ(displays, 1);

  // Closing only hides it; showing it again runs the show handling with the new maxima.
  form_.close();
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(WhitePixels().size(), 2u);
  form_.ShowAndRaise();
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));
  EXPECT_EQ(form_.VerX(), 21.9);
}

TEST_F(PositionDisplayTest, ErrorsGoToTheErrorDisplayAndKeepEarlierPixels) {
  import_.largestX = 80;
  import_.largestY = 80;
  test::AddComponent(tree_, "R1", "10", "10");
  form_.ShowAndRaise();
  Draw();
  ASSERT_EQ(Text("Label_Bauteile"), "1");

  test::AddComponent(tree_, "R2", "20", "20");
  test::AddComponent(tree_, "R3", "xmm", "12,5MM");
  test::AddComponent(tree_, "R4", "30", "30");
  Draw();
  ASSERT_EQ(errors_.size(), 1);
  // Y is read first; "12,5" is a number under every separator, "x" is none.
  EXPECT_TRUE(errors_[0].startsWith(QString::fromUtf8("'x' ist kein g\u00fcltiger Gleitkommawert")))
      << errors_[0].toStdString();
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}, {54, 39}, {98, 69}}));
  EXPECT_EQ(Text("Label_Bauteile"), "1");

  // A block cut short at the end of the tree.
  tree_.Clear();
  TreeNode* partial = tree_.AddChild(nullptr, "R9");
  tree_.AddChild(partial, "Comment: ");
  Draw();
  ASSERT_EQ(errors_.size(), 2);
  EXPECT_TRUE(errors_[1].startsWith(QString::fromUtf8("Ung\u00fcltiger Index")));
  EXPECT_EQ(Text("Label_Bauteile"), "1");
}

TEST_F(PositionDisplayTest, ImageAreaWithoutSizeDoesNotBreakDrawing) {
  test::AddComponent(tree_, "R1", "0", "0");
  form_.ShowAndRaise();
  form_.resize(100, 40);
  EXPECT_EQ(Child<QWidget>("Image1")->size(), QSize(0, 0));
  EXPECT_TRUE(form_.Surface().isNull());
  EXPECT_EQ(form_.VerX(), 0);
  EXPECT_EQ(Text("Label_Ver_X"), "0 P/mm");
  Draw();
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_EQ(Text("Label_Bauteile"), "1");
  form_.grab();  // paints without a surface

  form_.resize(618, 345);
  EXPECT_EQ(form_.Surface().size(), QSize(438, 293));
  EXPECT_EQ(WhitePixels(), (Pixels{{0, 0}}));
}

// A German desktop reads numbers with ",", while the board holds "23.82": the
// display draws it all the same.
TEST_F(PositionDisplayTest, DrawsTheExampleBoardUnderGerman) {
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  SetDecimalSeparator(DecimalSeparatorOf(german));
  ASSERT_EQ(DecimalSeparator(), ',');
  import_ = PickPlaceImport(TAV_SOURCE_DIR "/examples/example-board.csv", tree_);
  test::AddComponent(tree_, "R99", "12,5mm", "7.5");  // typed on a German desktop
  form_.ShowAndRaise();
  Draw();
  SetDecimalSeparator('.');
  QLocale::setDefault(QLocale::c());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  EXPECT_EQ(Text("Label_Bauteile").toInt(), import_.componentCount + 1);
  EXPECT_GT(WhitePixels().size(), 10u);
}

// Saves a picture of the display after drawing the example board, for a look by eye.
TEST_F(PositionDisplayTest, ExampleBoardScreenshot) {
  const std::filesystem::path board =
      std::filesystem::path(TAV_SOURCE_DIR) / "examples" / "example-board.csv";
  if (!std::filesystem::exists(board)) GTEST_SKIP() << "no " << board;
  import_ = PickPlaceImport(board.string(), tree_);
  form_.ShowAndRaise();
  Draw();
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("\n").toStdString();
  EXPECT_EQ(Text("Label_Bauteile").toInt(), import_.componentCount);
  EXPECT_GT(WhitePixels().size(), 1u);
  const QString png = QString::fromUtf8(TAV_BINARY_DIR) + "/display-example.png";
  EXPECT_TRUE(form_.grab().save(png)) << png.toStdString();
}

}  // namespace
}  // namespace tav::ui
