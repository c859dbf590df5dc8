// SPDX-License-Identifier: GPL-3.0-or-later
// The program options and the job estimate on the page "G-Code".
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "ui/EditorText.h"
#include "ui/ProgramEditor.h"

namespace tav::ui::test {
namespace {

class ProgramOptionsPage : public MainWindowTest {
 protected:
  std::string MemoText() { return EditorTextWithCrLf(*Child<ProgramEditor>("Memo1")); }
};

TEST_F(ProgramOptionsPage, ControlsStartAtTheDefaultsBelowTheDelay) {
  EXPECT_EQ(Text("GCode_VentilAus"), "");
  EXPECT_FALSE(Child<QCheckBox>("GCode_VentilSchalten")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>("GCode_Kommentare")->isChecked());
  EXPECT_EQ(Text("GCode_Steuerung"), "Standard");
  EXPECT_EQ(Child<QComboBox>("GCode_Steuerung")->count(), 3);
  EXPECT_EQ(Text("GCode_Summary"), "");
  const int delayBottom = Child<QWidget>("GCode_Delay")->geometry().bottom();
  const int buttonTop = Child<QWidget>("Button2")->geometry().top();
  for (const char* name : {"GCode_VentilAus", "GCode_VentilSchalten", "GCode_Kommentare",
                           "GCode_Steuerung", "GCode_Summary"}) {
    const QRect box = Child<QWidget>(name)->geometry();
    EXPECT_GT(box.top(), delayBottom) << name;
    EXPECT_LT(box.bottom(), buttonTop) << name;
    EXPECT_GE(box.left(), 399) << name;  // right of the editor
  }
}

TEST_F(ProgramOptionsPage, GenerationUsesTheOptionsAndShowsTheEstimate) {
  Import({{"R1", "0805", "30mm", "40mm"}});
  Child<QLineEdit>("GCode_Ventil")->setText("M7");
  Child<QLineEdit>("GCode_VentilAus")->setText("M9");
  Child<QCheckBox>("GCode_VentilSchalten")->setChecked(true);
  Child<QCheckBox>("GCode_Kommentare")->setChecked(true);
  Child<QComboBox>("GCode_Steuerung")->setCurrentText("LinuxCNC");
  form_.GenerateProgram();
  ASSERT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
  const std::string program = MemoText();
  EXPECT_EQ(program.find('%'), std::string::npos);
  EXPECT_NE(program.find("G01 Z-0.00 F2\r\nM7\r\nG04 P0.5\r\n"), std::string::npos) << program;
  EXPECT_TRUE(program.ends_with("\r\nM2\r\n")) << program;
  EXPECT_TRUE(Text("GCode_Summary").startsWith("Bauteile platziert: 1\nVerfahrweg: 50 mm\n"))
      << Text("GCode_Summary").toStdString();

  // A refused option keeps the program and clears the estimate of it.
  Child<QLineEdit>("GCode_VentilAus")->setText("M2");
  form_.GenerateProgram();
  ASSERT_EQ(errors_.All().size(), 1u);
  EXPECT_EQ(MemoText(), program);
  EXPECT_EQ(Text("GCode_Summary"), "");
}

TEST_F(ProgramOptionsPage, FieldsCarryTheStoredTexts) {
  tav::MachineSettings settings;
  settings.valveOffCode = "M65 P0";
  settings.switchValve = "1";
  settings.controller = "GRBL";
  settings.comments = "1";
  form_.WriteSettingsFields(settings);
  EXPECT_EQ(form_.ReadSettingsFields(), settings);
  // A controller the list does not know is kept, so generating names it.
  settings.controller = "Mach3";
  form_.WriteSettingsFields(settings);
  EXPECT_EQ(form_.ReadSettingsFields().controller, "Mach3");
}

}  // namespace
}  // namespace tav::ui::test
