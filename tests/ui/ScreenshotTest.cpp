// Renders every page of the main window, filled with the example board, to
// PNG files under the build folder (screenshots/) for a look by eye.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTreeView>

#include "UiTestSupport.h"
#include "ui/ComponentTreeModel.h"
#include "ui/Startup.h"

namespace tav::ui::test {
namespace {

// Shown in the desktop program's look; later tests get the default style back.
class Screenshots : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { ApplyDesktopLook(); }
  static void TearDownTestSuite() { QApplication::setStyle(QStringLiteral("Fusion")); }
};

TEST_F(Screenshots, EveryPageRendersToAPng) {
  const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(folder));

  form_.show();
  const QImage empty = form_.grab().toImage();
  EXPECT_EQ(empty.size(), form_.size());
  EXPECT_TRUE(empty.save(folder + "/main-start.png"));

  dialogs_->Answer("OpenDialog1", QStringLiteral(TAV_SOURCE_DIR "/examples/example-board.csv"));
  form_.Button1Click();
  form_.Button2Click();
  auto* tree = Child<QTreeView>("TreeView1");
  const QModelIndex second = form_.TreeModel().index(1, 0);
  tree->expand(second);
  tree->expand(form_.TreeModel().index(5, 0, second));
  tree->setCurrentIndex(second);
  tree->setFocus();

  auto* pages = Child<QTabWidget>("PageControl1");
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    const QImage shot = form_.grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral("%1/main-page%2-%3.png")
                              .arg(folder)
                              .arg(page + 1)
                              .arg(pages->widget(page)->objectName())));
  }
  // The blue page really is blue where no control covers it.
  pages->setCurrentIndex(0);
  const QImage general = Child<QWidget>("TabSheet1")->grab().toImage();
  EXPECT_EQ(general.pixelColor(300, 300), QColor(0, 0, 255));
}

}  // namespace
}  // namespace tav::ui::test
