// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "ui/ProgramEditor.h"
#include "ui/TextCodec.h"

namespace tav::ui {

FindBar::FindBar(ProgramEditor& editor)
    : QWidget(&editor),
      editor_(editor),
      field_(new QLineEdit(this)),
      next_(new QPushButton(QStringLiteral("Weiter"), this)),
      previous_(new QPushButton(QStringLiteral("Zur\u00fcck"), this)),
      matchCase_(new QCheckBox(QStringLiteral("Gro\u00df-/Kleinschreibung"), this)),
      notFound_(new QLabel(QStringLiteral("Nicht gefunden"), this)) {
  setObjectName(QStringLiteral("FindBar"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  field_->setObjectName(QStringLiteral("FindText"));
  field_->setPlaceholderText(QStringLiteral("Suchen"));
  field_->setAccessibleName(QStringLiteral("Suchen"));
  field_->installEventFilter(this);
  next_->setObjectName(QStringLiteral("FindNext"));
  previous_->setObjectName(QStringLiteral("FindPrevious"));
  next_->setToolTip(QStringLiteral("F3"));
  previous_->setToolTip(QStringLiteral("Umschalt+F3"));
  matchCase_->setObjectName(QStringLiteral("FindMatchCase"));
  notFound_->setObjectName(QStringLiteral("FindNotFound"));
  QPalette red = notFound_->palette();
  red.setColor(QPalette::WindowText, QColor(176, 0, 0));
  notFound_->setPalette(red);
  notFound_->setVisible(false);
  auto* close = new QToolButton(this);
  close->setObjectName(QStringLiteral("FindClose"));
  close->setText(QStringLiteral("\u00d7"));
  close->setToolTip(QStringLiteral("Schlie\u00dfen (Esc)"));
  close->setAutoRaise(true);
  for (QWidget* button : std::initializer_list<QWidget*>{next_, previous_, matchCase_, close})
    button->setFocusPolicy(Qt::TabFocus);

  auto* top = new QHBoxLayout;
  top->setSpacing(3);
  top->addWidget(field_, 1);
  top->addWidget(next_);
  top->addWidget(previous_);
  top->addWidget(close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(matchCase_);
  bottom->addStretch(1);
  bottom->addWidget(notFound_);
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(3, 3, 3, 3);
  rows->setSpacing(2);
  rows->addLayout(top);
  rows->addLayout(bottom);

  connect(next_, &QPushButton::clicked, this, &FindBar::FindNext);
  connect(previous_, &QPushButton::clicked, this, &FindBar::FindPrevious);
  connect(close, &QToolButton::clicked, this, &FindBar::Close);
  connect(field_, &QLineEdit::textEdited, this, [this] { notFound_->setVisible(false); });
  hide();
}

void FindBar::Open() {
  const std::string selected = editor_.SelectedBytes();
  if (!selected.empty() && selected.find('\n') == std::string::npos)
    field_->setText(ToQString(selected));
  notFound_->setVisible(false);
  show();
  editor_.LayOutMargins();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::Close() {
  hide();
  editor_.LayOutMargins();
  editor_.setFocus(Qt::OtherFocusReason);
}

bool FindBar::FindNext() { return Find(true); }
bool FindBar::FindPrevious() { return Find(false); }

bool FindBar::NotFoundShown() const { return !notFound_->isHidden(); }

bool FindBar::Find(bool forward) {
  if (field_->text().isEmpty()) {
    Open();
    return false;
  }
  const std::string needle = FromQString(field_->text());
  const std::size_t caret = editor_.CaretPosition();
  const std::size_t anchor = editor_.AnchorPosition();
  // Forward from the selection's end, so the match selected last is passed.
  const std::size_t from = forward ? std::max(caret, anchor) : std::min(caret, anchor);
  const std::size_t found = editor_.Text().Find(needle, from, forward, matchCase_->isChecked());
  notFound_->setVisible(found == std::string::npos);
  if (found == std::string::npos) return false;
  editor_.Select(found, found + needle.size());
  return true;
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F3) {
      Find(!(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      Close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav::ui
