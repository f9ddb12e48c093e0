// Actions of this subsystem are bound here as the subsystem is built.
#include "app/main_form.h"

namespace quillo {

void MainForm::BindFileActions() {}

}  // namespace quillo
