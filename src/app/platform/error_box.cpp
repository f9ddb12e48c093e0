#include "app/platform/error_box.h"

#include <new>

#include "app/platform/message_box.h"

namespace quillo {

std::string ErrorTextFor(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const UserError& e) {
    return e.what();
  } catch (const std::bad_alloc&) {
    return "Недостаточно памяти: действие не выполнено.";
  } catch (...) {
  }
  return "Внутренняя ошибка программы: действие не выполнено.";
}

void ShowErrorBox(HWND owner, std::exception_ptr error) {
  ShowMessage(owner, ErrorTextFor(error), "Ошибка", MB_OK | MB_ICONERROR);
}

}  // namespace quillo
