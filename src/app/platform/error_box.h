#pragma once
// Errors the user is shown. Every window procedure ends in the same barrier:
// whatever escapes a handler becomes one Russian error box and the program
// goes on, never a crash.
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

namespace quillo {

// An error whose message is written for the user, in Russian.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
};

// What the user is told of an error: a UserError's own message; for anything
// else (a library's English text, a broken invariant) a Russian sentence that
// says what could not be done, never the raw text.
std::string ErrorTextFor(std::exception_ptr error);

// The program's error box ("Ошибка") for the error.
void ShowErrorBox(HWND owner, std::exception_ptr error);

}  // namespace quillo
