#include "app/export_command.h"

#include "app/main_form.h"

namespace lt {

void ExportCommand(TForm1& form)
{
    // The save dialog is not built yet; until it is, the command writes
    // nothing and shows nothing.
}

} // namespace lt
