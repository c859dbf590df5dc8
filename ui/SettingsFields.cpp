// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <array>

#include "ui/TextCodec.h"
#include "ui_MainWindow.h"

namespace tav::ui {
namespace {

struct FeederFields {
  QLineEdit* x;
  QLineEdit* y;
  QLineEdit* z;
  QLineEdit* versatz;
  QComboBox* richtung;
  QComboBox* winkel;
};

std::array<FeederFields, 4> FeedersOf(const Ui::TForm1& form) {
  return {{
      {form.Feeder1_X, form.Feeder1_Y, form.Feeder1_Z, form.Feeder1_Versatz, form.Feeder1_Richtung,
       form.ComboBox1},
      {form.Feeder2_X, form.Feeder2_Y, form.Feeder2_Z, form.Feeder2_Versatz, form.Feeder2_Richtung,
       form.ComboBox2},
      {form.Feeder3_X, form.Feeder3_Y, form.Feeder3_Z, form.Feeder3_Versatz, form.Feeder3_Richtung,
       form.ComboBox3},
      {form.Feeder4_X, form.Feeder4_Y, form.Feeder4_Z, form.Feeder4_Versatz, form.Feeder4_Richtung,
       form.ComboBox4},
  }};
}

std::array<QLineEdit*, 10> PocketsOf(const Ui::TForm1& form) {
  return {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5,
          form.Edit6, form.Edit7, form.Edit8, form.Edit9, form.Edit10};
}

std::string Read(const QLineEdit* field) { return FromQString(field->text()); }
std::string Read(const QComboBox* field) { return FromQString(field->currentText()); }

void Write(QLineEdit* field, const std::string& text) {
  if (Read(field) != text) field->setText(ToQString(text));
}
void Write(QComboBox* field, const std::string& text) {
  if (Read(field) != text) field->setCurrentText(ToQString(text));
}

// Switch settings are stored as "1" and "0".
std::string Read(const QCheckBox* box) { return box->isChecked() ? "1" : "0"; }
void Write(QCheckBox* box, const std::string& text) { box->setChecked(text == "1"); }

// A fixed list: a stored text that is none of its items is added rather than
// dropped, so the generator names it instead of silently using another one.
void WriteChoice(QComboBox* list, const std::string& text) {
  const QString item = ToQString(text);
  int index = list->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) {
    list->addItem(item);
    index = list->count() - 1;
  }
  list->setCurrentIndex(index);
}

// The side list shows the unset side as "–"; settings hold it empty.
constexpr const char* kUnsetSideItem = "\xE2\x80\x93";

std::string ReadSide(const QComboBox* list) {
  const QString text = list->currentText();
  return text == QString::fromUtf8(kUnsetSideItem) ? std::string() : FromQString(text);
}
void WriteSide(QComboBox* list, const std::string& side) {
  WriteChoice(list, side.empty() ? std::string("\x96") : side);
}

}  // namespace

tav::MachineSettings ReadSettings(const Ui::TForm1& form) {
  tav::MachineSettings settings;
  settings.maxPartHeight = Read(form.BauteilMaxHeight);
  settings.travelFeed = Read(form.SpeedFahren);
  settings.liftFeed = Read(form.SpeedHeben);
  settings.placeFeed = Read(form.SpeedSetzen);
  const auto feeders = FeedersOf(form);
  for (std::size_t i = 0; i < feeders.size(); ++i) {
    tav::FeederSettings& feeder = settings.feeders[i];
    feeder.x = Read(feeders[i].x);
    feeder.y = Read(feeders[i].y);
    feeder.z = Read(feeders[i].z);
    feeder.offset = Read(feeders[i].versatz);
    feeder.direction = Read(feeders[i].richtung);
    settings.angles[i] = Read(feeders[i].winkel);
  }
  settings.valveOnCode = Read(form.GCode_Ventil);
  settings.valveDelay = Read(form.GCode_Delay);
  settings.valveOffCode = Read(form.GCode_VentilAus);
  settings.switchValve = Read(form.GCode_VentilSchalten);
  settings.controller = Read(form.GCode_Steuerung);
  settings.comments = Read(form.GCode_Kommentare);
  settings.dryRun = Read(form.GCode_Trockenlauf);
  settings.workXMin = Read(form.Maschine_XMin);
  settings.workXMax = Read(form.Maschine_XMax);
  settings.workYMin = Read(form.Maschine_YMin);
  settings.workYMax = Read(form.Maschine_YMax);
  settings.workZMin = Read(form.Maschine_ZMin);
  const auto pockets = PocketsOf(form);
  for (std::size_t i = 0; i < pockets.size(); ++i) settings.alignmentPockets[i] = Read(pockets[i]);
  settings.rotationAxis = Read(form.Maschine_Drehachse);
  settings.originX = Read(form.Platine_NullpunktX);
  settings.originY = Read(form.Platine_NullpunktY);
  settings.boardRotation = Read(form.Platine_Drehung);
  settings.boardSide = ReadSide(form.Platine_Seite);
  return settings;
}

void WriteSettings(Ui::TForm1& form, const tav::MachineSettings& settings) {
  Write(form.BauteilMaxHeight, settings.maxPartHeight);
  Write(form.SpeedFahren, settings.travelFeed);
  Write(form.SpeedHeben, settings.liftFeed);
  Write(form.SpeedSetzen, settings.placeFeed);
  const auto feeders = FeedersOf(form);
  for (std::size_t i = 0; i < feeders.size(); ++i) {
    const tav::FeederSettings& feeder = settings.feeders[i];
    Write(feeders[i].x, feeder.x);
    Write(feeders[i].y, feeder.y);
    Write(feeders[i].z, feeder.z);
    Write(feeders[i].versatz, feeder.offset);
    Write(feeders[i].richtung, feeder.direction);
    Write(feeders[i].winkel, settings.angles[i]);
  }
  Write(form.GCode_Ventil, settings.valveOnCode);
  Write(form.GCode_Delay, settings.valveDelay);
  Write(form.GCode_VentilAus, settings.valveOffCode);
  Write(form.GCode_VentilSchalten, settings.switchValve);
  WriteChoice(form.GCode_Steuerung, settings.controller);
  Write(form.GCode_Kommentare, settings.comments);
  Write(form.GCode_Trockenlauf, settings.dryRun);
  Write(form.Maschine_XMin, settings.workXMin);
  Write(form.Maschine_XMax, settings.workXMax);
  Write(form.Maschine_YMin, settings.workYMin);
  Write(form.Maschine_YMax, settings.workYMax);
  Write(form.Maschine_ZMin, settings.workZMin);
  const auto pockets = PocketsOf(form);
  for (std::size_t i = 0; i < pockets.size(); ++i) Write(pockets[i], settings.alignmentPockets[i]);
  WriteChoice(form.Maschine_Drehachse, settings.rotationAxis);
  Write(form.Platine_NullpunktX, settings.originX);
  Write(form.Platine_NullpunktY, settings.originY);
  Write(form.Platine_Drehung, settings.boardRotation);
  WriteSide(form.Platine_Seite, settings.boardSide);
}

}  // namespace tav::ui
