#include "core/DecimalSeparator.h"

#include <clocale>
#include <cstring>
#include <map>
#include <utility>

namespace tav {
namespace {

char gSeparator = '.';

std::map<int, std::function<void(char)>>& Listeners() {
  static std::map<int, std::function<void(char)>> listeners;
  return listeners;
}

}  // namespace

char DecimalSeparator() noexcept { return gSeparator; }

void SetDecimalSeparator(char separator) {
  if (separator == gSeparator) return;
  gSeparator = separator;
  // Copy first: a listener may remove itself while being told.
  const auto listeners = Listeners();
  for (const auto& [id, listener] : listeners) listener(separator);
}

char DecimalSeparatorFromCLocale() {
  const std::lconv* conv = std::localeconv();
  if (conv == nullptr || conv->decimal_point == nullptr) return '.';
  if (std::strlen(conv->decimal_point) != 1) return '.';
  return conv->decimal_point[0];
}

int AddDecimalSeparatorListener(std::function<void(char)> listener) {
  static int nextId = 0;
  Listeners().emplace(++nextId, std::move(listener));
  return nextId;
}

void RemoveDecimalSeparatorListener(int id) { Listeners().erase(id); }

}  // namespace tav
