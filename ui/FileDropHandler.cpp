// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDropHandler.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace tav::ui {

FileDropHandler::FileDropHandler(QWidget& window, std::function<void(const QString&)> open)
    : QObject(&window), open_(std::move(open)) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

QString FileDropHandler::DroppedFile(const QMimeData& data) {
  if (!data.hasUrls()) return {};
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  return urls.first().toLocalFile();
}

bool FileDropHandler::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (DroppedFile(*drag->mimeData()).isEmpty()) return false;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = DroppedFile(*drop->mimeData());
      if (path.isEmpty()) return false;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // Opened after the drop has ended, so that the file manager is not kept
      // waiting while the window asks its questions.
      QTimer::singleShot(0, this, [this, path] { open_(path); });
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace tav::ui
