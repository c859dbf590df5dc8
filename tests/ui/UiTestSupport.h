// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QWindow>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TempFolder.h"
#include "ui/ErrorDisplay.h"
#include "ui/FileDialogRunner.h"
#include "ui/MainWindow.h"
#include "ui/QuestionBox.h"

namespace tav::ui::test {

// Answers the main window's file dialogs from a script and records what each
// dialog offered.
class ScriptedFileDialogs final : public FileDialogRunner {
 public:
  struct Call {
    FileDialogSettings dialog;
    QString offered;
  };

  // The next dialog must be `dialog`; it confirms `path`, or cancels for nullopt.
  void Answer(const QString& dialog, std::optional<QString> path) {
    answers_.push_back({dialog, std::move(path)});
  }
  const std::vector<Call>& Calls() const { return calls_; }
  bool Exhausted() const { return answers_.empty(); }

  std::optional<QString> Run(const FileDialogSettings& dialog, const QString& initialName,
                             QWidget* /*parent*/) override {
    calls_.push_back({dialog, initialName});
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected dialog " << dialog.name.toStdString();
      return std::nullopt;
    }
    auto answer = answers_.front();
    answers_.pop_front();
    EXPECT_EQ(answer.dialog, dialog.name);
    return answer.path;
  }

 private:
  struct Scripted {
    QString dialog;
    std::optional<QString> path;
  };
  std::deque<Scripted> answers_;
  std::vector<Call> calls_;
};

// Collects what the error display would show instead of opening message boxes.
class ErrorCapture final {
 public:
  struct Shown {
    QString caption;
    QString text;
  };
  ErrorCapture() {
    ErrorDisplay::SetSinkForTesting([this](const QString& caption, const QString& text) {
      shown_.push_back({caption, text});
    });
  }
  ~ErrorCapture() { ErrorDisplay::SetSinkForTesting({}); }
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  const std::vector<Shown>& All() const { return shown_; }
  QStringList Texts() const {
    QStringList texts;
    for (const auto& s : shown_) texts << s.text;
    return texts;
  }
  void Clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
};

// Answers the main window's questions from a script (as KeePassXC's
// MessageBox::setNextAnswer does) and records every question asked. A question
// without a scripted answer fails the test and is answered with the last
// button offered (Abbrechen or Nein), so nothing is lost or written.
class ScriptedQuestions final {
 public:
  using Answer = QuestionBox::Answer;
  ScriptedQuestions() {
    QuestionBox::SetAnswererForTesting(
        [this](const QString& question, const QList<Answer>& offered) {
          asked_ << question;
          if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question " << question.toStdString();
            return offered.back();
          }
          const Answer answer = answers_.front();
          answers_.pop_front();
          EXPECT_TRUE(offered.contains(answer)) << question.toStdString();
          return answer;
        });
  }
  ~ScriptedQuestions() { QuestionBox::SetAnswererForTesting({}); }
  ScriptedQuestions(const ScriptedQuestions&) = delete;
  ScriptedQuestions& operator=(const ScriptedQuestions&) = delete;

  void SetNextAnswer(Answer answer) { answers_.push_back(answer); }
  // The questions asked since the last call.
  QStringList TakeAsked() { return std::exchange(asked_, {}); }
  bool Exhausted() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  QStringList asked_;
};

// The title as the window system shows it, Qt's "[*]" resolved to "*" while
// the window is modified and to nothing otherwise.
inline QString ShownTitle(QWidget& window) {
  window.winId();  // makes the platform window, which receives the title
  return window.windowHandle()->title();
}

// A pick-and-place file: two header lines, the rows, and a last line that is
// not read. Each row gives designator, footprint, X, Y, layer, rotation and comment.
struct Row {
  std::string designator, footprint, x, y, layer = "TopLayer", rotation = "0", comment = "c";
};
inline std::string PickPlaceText(const std::vector<Row>& rows) {
  std::string text =
      "\"Pick and Place\"\r\n\"Designator\",\"Footprint\",\"Mid X\",\"Mid Y\","
      "\"Ref X\",\"Ref Y\",\"Pad X\",\"Pad Y\",\"Layer\",\"Rotation\",\"Comment\"\r\n";
  for (const Row& r : rows) {
    text += "\"" + r.designator + "\",\"" + r.footprint + "\",\"" + r.x + "\",\"" + r.y +
            "\",\"\",\"\",\"\",\"\",\"" + r.layer + "\",\"" + r.rotation + "\",\"" + r.comment +
            "\"\r\n";
  }
  return text + "\r\n";
}

inline QString Q(const std::string& path) { return QString::fromStdString(path); }

// A main window with scripted dialogs and captured errors, working in a
// temporary folder.
class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(const QStringList& arguments = {}) : form_(arguments) {
    auto dialogs = std::make_unique<ScriptedFileDialogs>();
    dialogs_ = dialogs.get();
    form_.SetFileDialogRunner(std::move(dialogs));
  }
  void TearDown() override {
    EXPECT_TRUE(dialogs_->Exhausted()) << "dialog answers left over";
    EXPECT_TRUE(questions_.Exhausted()) << "question answers left over";
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = form_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // The text of a label, a field or a drop-down list.
  QString Text(const char* name) {
    QObject* object = form_.findChild<QObject*>(QString::fromLatin1(name));
    if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
    if (auto* field = qobject_cast<QLineEdit*>(object)) return field->text();
    if (auto* list = qobject_cast<QComboBox*>(object)) return list->currentText();
    ADD_FAILURE() << "no text control " << name;
    return {};
  }

  // Writes the rows as a pick-and-place file and imports it through Button1.
  std::string Import(const std::vector<Row>& rows, const std::string& name = "board.csv") {
    const std::string path = folder_ / name;
    tav::test::WriteBytes(path, PickPlaceText(rows));
    dialogs_->Answer("OpenDialog1", Q(path));
    form_.ImportBoardFile();
    return path;
  }

  ErrorCapture errors_;
  ScriptedQuestions questions_;
  tav::test::TempFolder folder_;
  MainWindow form_;
  ScriptedFileDialogs* dialogs_ = nullptr;
};

}  // namespace tav::ui::test
