// Printing on the desktop: a QPrinter set up for the target the user chose through
// core::Interaction, and the target a print dialog's printer stands for.
#pragma once

#include "core/interaction.h"

#include <QPrinter>
#include <memory>

namespace vanta::ui {

// A high-resolution printer for `target`: PDF output into target.pdfFile when it is set, else the
// named printer (an empty or unknown name leaves the system's default), in its orientation.
std::unique_ptr<QPrinter> printerFor(const core::PrintTarget &target);

// What `printer`, as a print dialog left it, prints to.
core::PrintTarget printTargetOf(const QPrinter &printer);

} // namespace vanta::ui
