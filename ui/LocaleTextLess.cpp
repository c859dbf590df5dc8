// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LocaleTextLess.h"

#include <QCollator>
#include <QLocale>

#include <memory>
#include <string>
#include <unordered_map>

#include "ui/TextCodec.h"

namespace tav::ui {

tav::ComponentTree::TextLess LocaleTextLess() {
  auto collator = std::make_shared<QCollator>(QLocale());
  collator->setCaseSensitivity(Qt::CaseSensitive);
  collator->setNumericMode(false);
  // Each designator is converted and keyed once; a sort compares many times.
  auto keys = std::make_shared<std::unordered_map<std::string, QCollatorSortKey>>();
  return [collator, keys](const std::string& a, const std::string& b) {
    const auto keyOf = [&](const std::string& text) -> const QCollatorSortKey& {
      auto found = keys->find(text);
      if (found == keys->end())
        found = keys->emplace(text, collator->sortKey(ToQString(text))).first;
      return found->second;
    };
    const QCollatorSortKey& keyA = keyOf(a);
    const QCollatorSortKey& keyB = keyOf(b);
    return keyA.compare(keyB) < 0;
  };
}

}  // namespace tav::ui
