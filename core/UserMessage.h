// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>

namespace tav {

// The message a user sees for a failure that ended a command, whatever was
// thrown: an Error's message; "Zu wenig Arbeitsspeicher" for std::bad_alloc;
// the text of any other standard exception; "Unbekannter Fehler" for anything
// else (and for no exception). Windows-1252, without the final full stop the
// displays add. The command-line tool and the desktop error display both use it.
std::string UserMessageOf(std::exception_ptr failure);

}  // namespace tav
