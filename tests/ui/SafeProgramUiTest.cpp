// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop side of safe programs: refusals keep the editor's program, the
// dry run and machine travel fields, and the proposed valve codes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "ui/EditorText.h"
#include "ui/ProgramEditor.h"

namespace tav::ui::test {
namespace {

class SafeProgramPage : public MainWindowTest {
 protected:
  std::string MemoText() { return EditorTextWithCrLf(*Child<ProgramEditor>("Memo1")); }
};

TEST_F(SafeProgramPage, RefusedValuesKeepTheProgramAndNameTheField) {
  Import({{"R1", "0805", "30mm", "40mm"}});
  form_.GenerateProgram();
  ASSERT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
  const std::string program = MemoText();
  struct Case {
    const char* field;
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {"Feeder1_Z", "abc", "Feeder 1, H\u00f6he Z: 'abc' ist kein g\u00fcltiger Gleitkommawert."},
      {"BauteilMaxHeight", "-5,2",
       "Maximale Bauteilh\u00f6he: \"-5,2\" ist keine zul\u00e4ssige H\u00f6he (Zahl ab 0)."},
      {"SpeedSetzen", "0",
       "Geschwindigkeit setzen: \"0\" ist keine zul\u00e4ssige Geschwindigkeit (Zahl \u00fcber "
       "0)."},
      {"Maschine_XMax", "29,5",
       "R1: das Ziel X 30 liegt au\u00dferhalb des Verfahrbereichs (X bis 29.5)."},
  };
  for (const Case& c : cases) {
    QLineEdit* field = Child<QLineEdit>(c.field);
    const QString before = field->text();
    field->setText(QString::fromUtf8(c.value));
    errors_.Clear();
    form_.GenerateProgram();
    ASSERT_EQ(errors_.All().size(), 1u) << c.field;
    EXPECT_EQ(errors_.All()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(MemoText(), program) << c.field;
    field->setText(before);
  }
}

TEST_F(SafeProgramPage, DryRunAndTravelFieldsAreSettings) {
  const QGroupBox* machine = Child<QGroupBox>("GroupBoxMaschine");
  EXPECT_EQ(machine->geometry(), QRect(305, 16, 240, 130));
  EXPECT_EQ(machine->title(), "Maschine");
  Import({{"R1", "0805", "30mm", "40mm"}});
  tav::MachineSettings settings;
  settings.dryRun = "1";
  settings.workXMin = "-1,5";
  settings.workXMax = "300";
  settings.workYMin = "0";
  settings.workYMax = "200";
  settings.workZMin = "-20";
  form_.WriteSettingsFields(settings);
  EXPECT_TRUE(Child<QCheckBox>("GCode_Trockenlauf")->isChecked());
  EXPECT_EQ(form_.ReadSettingsFields(), settings);
  form_.GenerateProgram();
  ASSERT_TRUE(errors_.All().empty()) << errors_.Texts().join('\n').toStdString();
  EXPECT_NE(MemoText().find("(Trockenlauf: Z bleibt auf Fahrhoehe, Ventil bleibt aus)"),
            std::string::npos);
}

TEST_F(SafeProgramPage, SwitchingTheValveProposesCodesOnlyOverTheDefaults) {
  auto* valve = Child<QCheckBox>("GCode_VentilSchalten");
  valve->setChecked(true);
  EXPECT_EQ(Text("GCode_Ventil"), "M8");
  EXPECT_EQ(Text("GCode_VentilAus"), "M9");
  EXPECT_TRUE(Text("GCode_Summary").contains("M8")) << Text("GCode_Summary").toStdString();

  valve->setChecked(false);
  Child<QLineEdit>("GCode_Ventil")->setText("M1");
  Child<QLineEdit>("GCode_VentilAus")->setText("M65 P0");
  valve->setChecked(true);
  EXPECT_EQ(Text("GCode_Ventil"), "M1");  // the user's own codes stay
  EXPECT_EQ(Text("GCode_VentilAus"), "M65 P0");
}

}  // namespace
}  // namespace tav::ui::test
