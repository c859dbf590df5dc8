// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as designed: geometry, texts, lists, colours, orders, menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "UiTestSupport.h"
#include "settings/MachineSettings.h"
#include "support/ComboBoxItems.h"
#include "ui/PickPlaceFileHelp.h"
#include "ui/ProgramEditor.h"
#include "ui/TextCodec.h"

namespace tav::ui::test {
namespace {

class MainWindowLayout : public MainWindowTest {};

TEST_F(MainWindowLayout, DesignedClientAreaIsTheSmallestAndTheWindowMaximises) {
  EXPECT_EQ(form_.objectName(), "TForm1");
  EXPECT_EQ(ShownTitle(form_), "TAV - Tavoline");
  EXPECT_EQ(form_.centralWidget()->size(), QSize(840, 481));
  form_.show();
  EXPECT_EQ(form_.centralWidget()->size(), QSize(840, 481));
  EXPECT_EQ(form_.centralWidget()->minimumSize(), QSize(840, 481));
  form_.resize(600, 300);
  EXPECT_EQ(form_.centralWidget()->size(), QSize(840, 481));
  EXPECT_GT(form_.menuBar()->height(), 0);
  EXPECT_EQ(form_.centralWidget()->y(), form_.menuBar()->height());
  const Qt::WindowFlags flags = form_.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
}

// Positions are checked by the screenshots; here every control the window is
// specified with must exist under its name, so a renamed control fails.
TEST_F(MainWindowLayout, EveryControlExistsUnderItsName) {
  const std::vector<const char*> names{
      "Button1",      "Button2",          "Button3",         "Button4",
      "PageControl1", "TreeView1",        "Memo1",           "GCode_Ventil",
      "GCode_Delay",  "BauteilMaxHeight", "SpeedFahren",     "SpeedSetzen",
      "SpeedHeben",   "GroupBox2",        "GroupBox4",       "GroupBox6",
      "Feeder1_X",    "Feeder2_X",        "Feeder3_Versatz", "Feeder4_Richtung",
      "ComboBox1",    "ComboBox4",        "Edit1",           "Edit7",
      "Edit10",       "Label16",          "DimLabel_Y",      "BauelementeLabel",
      "TabSheet1",    "TabSheet3"};
  for (const char* name : names)
    EXPECT_NE(form_.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_EQ(form_.findChild<QWidget*>(QStringLiteral("NoSuchControl")), nullptr);
  EXPECT_EQ(Child<QWidget>("Feeder2_X")->parentWidget()->objectName(), "GroupBox2");
}

TEST_F(MainWindowLayout, StartsWithDefaultsAndThePageGCodeInFront) {
  auto* pages = Child<QTabWidget>("PageControl1");
  ASSERT_EQ(pages->count(), 4);
  const QStringList names{"TabSheet1", "TabSheet2", "TabSheet4", "TabSheet3"};
  const QStringList captions{"Allgemein", "Feeder Einstellungen", "Koordinaten", "G-Code"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
    EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_TRUE(pages->tabIcon(i).isNull());
  }
  EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet3");

  EXPECT_EQ(form_.ReadSettingsFields(), tav::MachineSettings{});
  EXPECT_EQ(Text("BauelementeLabel"), "0");
  EXPECT_EQ(Text("DimLabel_X"), "DimLabel_X");
  EXPECT_EQ(Text("DimLabel_Y"), "DimLabel_Y");
  EXPECT_EQ(Text("Label16"), "Anzahl Bauelemente:");
  EXPECT_TRUE(Child<ProgramEditor>("Memo1")->toPlainText().isEmpty());
  EXPECT_EQ(Child<QPushButton>("Button1")->text(), QStringLiteral("Pick and Place \u00f6ffnen"));
  EXPECT_EQ(Child<QPushButton>("Button4")->text(), QStringLiteral("Display \u00d6ffnen"));
  EXPECT_EQ(Child<QGroupBox>("GroupBox3")->title(), "Feeder 3");
  EXPECT_FALSE(Child<QGroupBox>("GroupBox5")->isEnabled());
  EXPECT_FALSE(Child<QGroupBox>("GroupBox6")->isEnabled());
  EXPECT_TRUE(form_.ProjectPath().isEmpty());
  EXPECT_EQ(form_.Tree().Count(), 0);
}

TEST_F(MainWindowLayout, DropDownListsAreEditableWithTheirItems) {
  const auto items = [](const QComboBox* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i) texts.push_back(FromQString(list->itemText(i)));
    return texts;
  };
  const auto expect = [](auto constants) {
    return std::vector<std::string>(constants.begin(), constants.end());
  };
  for (const char* name :
       {"Feeder1_Richtung", "Feeder2_Richtung", "Feeder3_Richtung", "Feeder4_Richtung", "ComboBox1",
        "ComboBox2", "ComboBox3", "ComboBox4"}) {
    auto* list = Child<QComboBox>(name);
    EXPECT_TRUE(list->isEditable()) << name;
    EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert) << name;
  }
  EXPECT_EQ(items(Child<QComboBox>("Feeder1_Richtung")), expect(tav::test::kFeeder1DirectionItems));
  EXPECT_EQ(items(Child<QComboBox>("Feeder3_Richtung")), expect(tav::test::kFeederDirectionItems));
  EXPECT_EQ(items(Child<QComboBox>("ComboBox4")), expect(tav::test::kAngleItems));
}

TEST_F(MainWindowLayout, FocusOrder) {
  const QStringList wanted{"Button1",          "TreeView1",   "PageControl1", "BauteilMaxHeight",
                           "SpeedFahren",      "SpeedSetzen", "SpeedHeben",   "Feeder2_X",
                           "Feeder2_Richtung", "Feeder3_X",   "Feeder1_X",    "ComboBox1",
                           "Feeder4_X",        "Edit1",       "Edit10",       "Memo1",
                           "Button4"};
  QStringList seen;
  QWidget* widget = Child<QWidget>("Button1");
  for (int step = 0; step < 200 && widget != nullptr; ++step) {
    if (wanted.contains(widget->objectName()) && !seen.contains(widget->objectName()))
      seen << widget->objectName();
    widget = widget->nextInFocusChain();
    if (widget == Child<QWidget>("Button1")) break;
  }
  EXPECT_EQ(seen, wanted);
}

TEST_F(MainWindowLayout, ColoursFontAndTreeSettings) {
  EXPECT_EQ(form_.palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(Child<QWidget>("TabSheet1")->palette().color(QPalette::Window), QColor(0, 0, 255));
  EXPECT_TRUE(Child<QWidget>("TabSheet1")->autoFillBackground());
  EXPECT_EQ(Child<QWidget>("Memo1")->palette().color(QPalette::Base), QColor(124, 175, 252));
  auto* tree = Child<QTreeView>("TreeView1");
  EXPECT_EQ(tree->palette().color(QPalette::Base), QColor(192, 192, 192));
  EXPECT_EQ(tree->indentation(), 19);
  EXPECT_TRUE(tree->rootIsDecorated());
  EXPECT_TRUE(tree->uniformRowHeights());
  EXPECT_EQ(tree->contextMenuPolicy(), Qt::CustomContextMenu);
  auto* memo = Child<ProgramEditor>("Memo1");
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  const QFontInfo font(Child<QWidget>("Button1")->font());
  EXPECT_EQ(font.pixelSize(), 11);
  if (QFile::exists("/usr/share/wine/fonts/tahoma.ttf")) {
    EXPECT_EQ(font.family(), "Tahoma");
  }
}

TEST_F(MainWindowLayout, MenusAndPopupMenu) {
  const QList<QAction*> menus = form_.menuBar()->actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->text(), "&Projekt");
  EXPECT_EQ(menus[1]->text(), "&Einstellungen");
  EXPECT_EQ(menus[2]->text(), "&Maschine");
  EXPECT_EQ(menus[3]->text(), "&Hilfe");
  const auto texts = [](const QList<QAction*>& actions) {
    QStringList result;
    for (const QAction* action : actions)
      result << (action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
    return result;
  };
  EXPECT_EQ(
      texts(menus[0]->menu()->actions()),
      QStringList({"Neu1=Neu", QStringLiteral("Laden1=Projekt \u00f6ffnen"),
                   QStringLiteral("ZuletztGeoeffnet1=&Zuletzt ge\u00f6ffnet"),
                   "Speicher1=Projekt speichern", "Projektspeichernunter1=Projekt speichern unter",
                   "-", QStringLiteral("DurchgaengePlanen1=Durchg\u00e4nge planen\u2026"),
                   "Vorschau1=Vorschau", "-", "Beenden1=Beenden"}));
  EXPECT_EQ(texts(menus[1]->menu()->actions()),
            QStringList({"Speichern1=Speichern", "Laden2=Laden"}));
  EXPECT_EQ(texts(menus[2]->menu()->actions()),
            QStringList({QStringLiteral("Verbinden1=Verbinden\u2026"), "Trennen1=Trennen"}));
  EXPECT_EQ(texts(menus[3]->menu()->actions()),
            QStringList({"PickandPlaceFileAufbau1=Pick and Place File Aufbau", "About1=About"}));

  QMenu* popup = form_.PopupMenu();
  EXPECT_EQ(popup->objectName(), "PopupMenu1");
  // The eight items the popup menu has always had come first; the bulk items follow.
  EXPECT_EQ(texts(popup->actions()).mid(0, 8),
            QStringList({"Einschliessen1=Einschliessen", "Ausschliessen1=Ausschliessen",
                         "Sortieren1=Sortieren", "-", "Feeder11=Feeder 1", "Feeder21=Feeder 2",
                         "Feeder31=Feeder 3", "Feeder41=Feeder 4"}));
  EXPECT_FALSE(popup->actions()[0]->icon().isNull());
  EXPECT_FALSE(popup->actions()[1]->icon().isNull());
  EXPECT_TRUE(popup->actions()[2]->icon().isNull());
}

TEST_F(MainWindowLayout, PickAndPlaceFileAufbauShowsTheLayoutsAndColumns) {
  QStringList shown;
  PickPlaceFileHelp::SetSinkForTesting(
      [&](const QString& caption, const QString& text) { shown << caption << text; });
  Child<QAction>("PickandPlaceFileAufbau1")->trigger();
  PickPlaceFileHelp::SetSinkForTesting({});
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(shown[0], "Pick and Place File Aufbau");
  for (const char* part : {"Altes Format", "KiCad .pos", "Semikolon", "Designator, Ref, RefDes",
                           "Mid X, Center-X, PosX, X", "Units used: mil", "Gro\u00df"})
    EXPECT_TRUE(shown[1].contains(QString::fromUtf8(part))) << part;
  EXPECT_TRUE(errors_.All().empty());
}

}  // namespace
}  // namespace tav::ui::test
