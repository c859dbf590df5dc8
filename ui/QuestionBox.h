// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace tav::ui {

// The main window's questions, as modal message boxes with the
// application's title as caption and German buttons (independent of whether
// Qt's own translations are installed).
class QuestionBox final {
 public:
  enum class Answer { Speichern, Verwerfen, Abbrechen, Ja, Nein };

  static QString SaveChangesText();
  static QString StaleProgramText();
  static QString HandEditsText();
  static QString StaleProgramToMachineText();

  // "Änderungen am Projekt speichern?" with Speichern (default), Verwerfen and
  // Abbrechen; Escape or closing the box answers Abbrechen.
  static Answer AskToSaveChanges(QWidget* parent);
  // "Der G-Code passt nicht mehr zu Bauteilen und Einstellungen. Trotzdem
  // speichern?" with Ja and Nein (default); Escape or closing answers Nein.
  static Answer AskToSaveStaleProgram(QWidget* parent);
  // "Der G-Code wurde von Hand geändert. Änderungen verwerfen und neu
  // erzeugen?" with Ja and Nein (default); Escape or closing answers Nein.
  static Answer AskToDiscardHandEdits(QWidget* parent);
  // The same question before the program goes to the machine: "... Trotzdem
  // an die Maschine senden?" with Ja and Nein (default).
  static Answer AskToStreamStaleProgram(QWidget* parent);

  // Tests answer in place of the box: the answerer gets the question and the
  // buttons offered, in order, and returns one of them. An empty one restores
  // the box.
  using Answerer = std::function<Answer(const QString& question, const QList<Answer>& offered)>;
  static void SetAnswererForTesting(Answerer answerer);
};

}  // namespace tav::ui
