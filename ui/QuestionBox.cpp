// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionBox.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "ui/ApplicationTitle.h"

namespace tav::ui {
namespace {

QuestionBox::Answerer& TestAnswerer() {
  static QuestionBox::Answerer answerer;
  return answerer;
}

struct Choice {
  QuestionBox::Answer answer;
  QMessageBox::StandardButton button;
  QString text;
};

QuestionBox::Answer Ask(QWidget* parent, const QString& question, const QList<Choice>& choices,
                        QuestionBox::Answer byDefault, QuestionBox::Answer onEscape) {
  if (TestAnswerer()) {
    QList<QuestionBox::Answer> offered;
    for (const Choice& choice : choices) offered << choice.answer;
    return TestAnswerer()(question, offered);
  }
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), question, QMessageBox::NoButton,
                  parent);
  box.setTextFormat(Qt::PlainText);
  for (const Choice& choice : choices) {
    box.addButton(choice.button);
    box.button(choice.button)->setText(choice.text);
    if (choice.answer == byDefault) box.setDefaultButton(choice.button);
    if (choice.answer == onEscape) box.setEscapeButton(choice.button);
  }
  box.exec();
  for (const Choice& choice : choices) {
    if (box.clickedButton() == box.button(choice.button)) return choice.answer;
  }
  return onEscape;
}

}  // namespace

QString QuestionBox::SaveChangesText() {
  return QStringLiteral("\u00c4nderungen am Projekt speichern?");
}

QString QuestionBox::StaleProgramText() {
  return QStringLiteral(
      "Der G-Code passt nicht mehr zu Bauteilen und Einstellungen. Trotzdem speichern?");
}

QString QuestionBox::HandEditsText() {
  return QStringLiteral(
      "Der G-Code wurde von Hand ge\u00e4ndert. \u00c4nderungen verwerfen und neu erzeugen?");
}

QString QuestionBox::StaleProgramToMachineText() {
  return QStringLiteral(
      "Der G-Code passt nicht mehr zu Bauteilen und Einstellungen. Trotzdem an die Maschine "
      "senden?");
}

QuestionBox::Answer QuestionBox::AskToStreamStaleProgram(QWidget* parent) {
  return Ask(parent, StaleProgramToMachineText(),
             {{Answer::Ja, QMessageBox::Yes, QStringLiteral("Ja")},
              {Answer::Nein, QMessageBox::No, QStringLiteral("Nein")}},
             Answer::Nein, Answer::Nein);
}

QuestionBox::Answer QuestionBox::AskToSaveChanges(QWidget* parent) {
  return Ask(parent, SaveChangesText(),
             {{Answer::Speichern, QMessageBox::Save, QStringLiteral("Speichern")},
              {Answer::Verwerfen, QMessageBox::Discard, QStringLiteral("Verwerfen")},
              {Answer::Abbrechen, QMessageBox::Cancel, QStringLiteral("Abbrechen")}},
             Answer::Speichern, Answer::Abbrechen);
}

QuestionBox::Answer QuestionBox::AskToSaveStaleProgram(QWidget* parent) {
  return Ask(parent, StaleProgramText(),
             {{Answer::Ja, QMessageBox::Yes, QStringLiteral("Ja")},
              {Answer::Nein, QMessageBox::No, QStringLiteral("Nein")}},
             Answer::Nein, Answer::Nein);
}

QuestionBox::Answer QuestionBox::AskToDiscardHandEdits(QWidget* parent) {
  return Ask(parent, HandEditsText(),
             {{Answer::Ja, QMessageBox::Yes, QStringLiteral("Ja")},
              {Answer::Nein, QMessageBox::No, QStringLiteral("Nein")}},
             Answer::Nein, Answer::Nein);
}

void QuestionBox::SetAnswererForTesting(Answerer answerer) { TestAnswerer() = std::move(answerer); }

}  // namespace tav::ui
