// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace tav::ui {

// Lets the user drop a file onto the window: a board file or a project from
// a file manager. Only a single local file is taken; the window decides what
// to do with it (and asks its usual questions).
class FileDropHandler final : public QObject {
  Q_OBJECT

 public:
  FileDropHandler(QWidget& window, std::function<void(const QString&)> open);

  // The one local file `data` carries; empty for none or several.
  static QString DroppedFile(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const QString&)> open_;
};

}  // namespace tav::ui
