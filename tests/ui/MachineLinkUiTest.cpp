// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's machine link against the fake GRBL: connecting, jogging,
// teaching a feeder's position, running, pausing, resuming and stopping,
// errors and a pulled plug; screenshots of the panel.
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <functional>

#include "UiTestSupport.h"
#include "support/FakeGrbl.h"
#include "ui/BoardAlignmentDialog.h"
#include "ui/ConnectDialog.h"
#include "ui/EditorText.h"
#include "ui/MachinePanel.h"
#include "ui/ProgramEditor.h"

namespace tav::ui::test {
namespace {

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    if (done()) return true;
    QTest::qWait(5);
  }
  return done();
}

class MachineLinkUi : public MainWindowTest {
 protected:
  MachineLinkUi() : fake_(Options()) {}
  static tav::test::FakeGrbl::Options Options() {
    tav::test::FakeGrbl::Options options;
    options.blockTime = std::chrono::milliseconds(15);
    return options;
  }
  MachinePanel& Panel() { return form_.MachineControl(); }
  QPushButton* Button(const char* name) { return Child<QPushButton>(name); }
  void ConnectToFake() {
    form_.show();
    Panel().Connect(QString::fromStdString(fake_.device()), 115200);
    ASSERT_TRUE(WaitUntil([&] { return Panel().IsConnected(); }))
        << Panel().MessageText().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return Panel().StateText() == "Idle"; }));
  }
  void Screenshot(QWidget* widget, const QString& name) {
    const QString folder = QStringLiteral(TAV_BINARY_DIR "/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(widget->grab().toImage().save(folder + "/" + name));
  }

  tav::test::FakeGrbl fake_;
};

TEST_F(MachineLinkUi, JogsTeachesFeederOneAndRunsPausesResumesAndStops) {
  EXPECT_FALSE(form_.MachineDock()->isVisible());
  EXPECT_FALSE(Button("Feeder1_Uebernehmen")->isEnabled());
  EXPECT_FALSE(form_.MachinePosition()());
  const auto alignmentTakesPositions = [this] {
    return form_.AlignmentDialog()
        .findChild<QPushButton*>(QStringLiteral("Punkt1_Uebernehmen"))
        ->isVisibleTo(&form_.AlignmentDialog());
  };
  EXPECT_FALSE(alignmentTakesPositions());
  ConnectToFake();
  EXPECT_TRUE(form_.MachineDock()->isVisible());
  EXPECT_TRUE(alignmentTakesPositions());

  // A 10 mm step along X and Y, each to its end.
  Child<QComboBox>("Schrittweite")->setCurrentText("10");
  QTest::mousePress(Button("JogXPlus"), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return fake_.x() == 10; }));
  QTest::mouseRelease(Button("JogXPlus"), Qt::LeftButton);
  QTest::mousePress(Button("JogYMinus"), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return fake_.y() == -10; }));
  QTest::mouseRelease(Button("JogYMinus"), Qt::LeftButton);
  // Released at once: the jog is cancelled before it gets anywhere.
  QTest::mousePress(Button("JogZPlus"), Qt::LeftButton);
  QTest::mouseRelease(Button("JogZPlus"), Qt::LeftButton);
  QTest::qWait(120);
  EXPECT_EQ(fake_.z(), 0);
  EXPECT_NE(fake_.realTimeBytes().find('\x85'), std::string::npos);

  ASSERT_TRUE(WaitUntil([&] {
    const auto p = form_.MachinePosition()();
    return p && p->x == 10 && p->y == -10;
  }));
  Child<QLineEdit>("Feeder1_Z")->setText("7.50");
  Button("Feeder1_Uebernehmen")->click();
  EXPECT_EQ(Text("Feeder1_X"), "10.00");
  EXPECT_EQ(Text("Feeder1_Y"), "-10.00");
  EXPECT_EQ(Text("Feeder1_Z"), "7.50");  // Z only when asked for
  Child<QCheckBox>("Feeder_ZUebernehmen")->setChecked(true);
  Button("Feeder1_Uebernehmen")->click();
  EXPECT_EQ(Text("Feeder1_Z"), "0.00");

  questions_.SetNextAnswer(QuestionBox::Answer::Verwerfen);  // the taught feeder is a change
  dialogs_->Answer("OpenDialog1", QStringLiteral(TAV_SOURCE_DIR "/examples/example-board.csv"));
  form_.ImportBoardFile();
  Child<QComboBox>("GCode_Steuerung")->setCurrentText("GRBL");
  form_.GenerateProgram();
  Button("Start")->click();
  ASSERT_TRUE(WaitUntil([&] { return Child<QProgressBar>("Fortschritt")->value() > 20; }));
  Screenshot(&Panel(), "machine-panel-running.png");
  Button("Pause")->click();
  ASSERT_TRUE(WaitUntil([&] { return Panel().StateText() == "Hold:0"; }));
  EXPECT_TRUE(Button("Fortsetzen")->isEnabled());
  const int held = Child<QProgressBar>("Fortschritt")->value();
  Button("Fortsetzen")->click();
  ASSERT_TRUE(WaitUntil([&] { return Child<QProgressBar>("Fortschritt")->value() > held + 5; }));
  EXPECT_TRUE(Text("FortschrittText").startsWith("Zeile "));
  EXPECT_TRUE(Text("ZeitText").contains("Rest ca.")) << Text("ZeitText").toStdString();
  Button("Stopp")->click();
  ASSERT_TRUE(WaitUntil([&] { return Panel().MessageText().contains("angehalten"); }));
  EXPECT_EQ(fake_.realTimeBytes().substr(fake_.realTimeBytes().size() - 4), "!~!\x18");
  EXPECT_EQ(fake_.resets(), 1);
  EXPECT_FALSE(fake_.overflowed());
  EXPECT_TRUE(WaitUntil([&] { return Panel().StateText() == "Idle"; }));
  Screenshot(&Panel(), "machine-panel-stopped.png");
  Screenshot(&form_, "machine-main-window.png");
  EXPECT_TRUE(errors_.All().empty());
}

TEST_F(MachineLinkUi, AnErrorStopsTheMachineAndShowsLineTextAndMeaning) {
  ConnectToFake();
  SetEditorText(*Child<ProgramEditor>("Memo1"),
                "G21\r\n(Test)\r\nG1 X5 F100\r\nG7 X1\r\nG1 X6\r\nM2\r\n");
  Button("Start")->click();
  ASSERT_TRUE(WaitUntil([&] { return Panel().MessageText().contains("angehalten"); }));
  EXPECT_TRUE(Panel().MessageText().startsWith(
      QString::fromUtf8("Zeile 4 \"G7 X1\": Fehler 20: Nicht unterstützter G-Code-Befehl")))
      << Panel().MessageText().toStdString();
  EXPECT_TRUE(WaitUntil([&] { return Panel().StateText() == "Idle"; }));
  Screenshot(&Panel(), "machine-panel-error.png");
}

TEST_F(MachineLinkUi, AStaleProgramIsOnlySentWhenTheUserAgrees) {
  ConnectToFake();
  form_.GenerateProgram();
  Child<QLineEdit>("Feeder2_X")->setText("3.00");  // the program no longer fits
  questions_.SetNextAnswer(QuestionBox::Answer::Nein);
  Button("Start")->click();
  EXPECT_EQ(questions_.TakeAsked(), QStringList{QuestionBox::StaleProgramToMachineText()});
  QTest::qWait(100);
  EXPECT_TRUE(fake_.linesRead().empty());
}

TEST_F(MachineLinkUi, PullingThePlugShowsGetrennt) {
  ConnectToFake();
  fake_.Unplug();
  ASSERT_TRUE(WaitUntil([&] { return Panel().StateText() == "Getrennt"; }));
  EXPECT_TRUE(Panel().MessageText().contains("Verbindung zur Maschine"))
      << Panel().MessageText().toStdString();
  EXPECT_FALSE(Button("Feeder1_Uebernehmen")->isEnabled());
  EXPECT_FALSE(form_.MachinePosition()());
}

TEST(ConnectDialogTest, OffersAnyPathAt115200AndRemembersTheLastChoice) {
  QStandardPaths::setTestModeEnabled(true);
  QSettings(QStringLiteral("Tavoline"), QStringLiteral("Tavoline")).clear();
  {
    ConnectDialog dialog;
    EXPECT_EQ(dialog.Baud(), 115200);
    dialog.SetPort(QStringLiteral("/dev/pts/99"));
    dialog.findChild<QComboBox*>(QStringLiteral("Baudrate"))
        ->setCurrentText(QStringLiteral("57600"));
    dialog.Remember();
  }
  ConnectDialog again;
  EXPECT_EQ(again.Port(), "/dev/pts/99");
  EXPECT_EQ(again.Baud(), 57600);
  again.findChild<QComboBox*>(QStringLiteral("Baudrate"))
      ->setCurrentText(QStringLiteral("schnell"));
  EXPECT_EQ(again.Baud(), 0);
  QSettings(QStringLiteral("Tavoline"), QStringLiteral("Tavoline")).clear();
  QStandardPaths::setTestModeEnabled(false);
}

TEST(MachinePanelAlone, ClosingDuringAProgramStopsTheMachine) {
  tav::test::FakeGrbl::Options options;
  options.blockTime = std::chrono::milliseconds(50);
  tav::test::FakeGrbl fake(options);
  auto panel = std::make_unique<MachinePanel>();
  panel->Connect(QString::fromStdString(fake.device()), 115200);
  ASSERT_TRUE(WaitUntil([&] { return panel->IsConnected(); }));
  std::string program;
  for (int i = 0; i < 100; ++i) program += "G1 X" + std::to_string(i) + " F100\r\n";
  panel->SetProgramSource([&] { return MachinePanel::Program{program, false, std::nullopt}; });
  panel->StartProgram();
  ASSERT_TRUE(WaitUntil([&] { return fake.linesRead().size() > 3; }));
  panel.reset();
  EXPECT_TRUE(WaitUntil([&] { return fake.resets() == 1; }));
  EXPECT_EQ(fake.realTimeBytes(), "!\x18");
}

}  // namespace
}  // namespace tav::ui::test
