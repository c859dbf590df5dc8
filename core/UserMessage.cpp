// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UserMessage.h"

#include <new>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {

std::string UserMessageOf(std::exception_ptr failure) {
  if (!failure) return msg::kUnknownError;
  try {
    std::rethrow_exception(failure);
  } catch (const Error& error) {
    return error.message();
  } catch (const std::bad_alloc&) {
    return msg::kOutOfMemory;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return msg::kUnknownError;
  }
}

}  // namespace tav
