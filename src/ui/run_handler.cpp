// The common frame of window handlers.
#include "ui/run_handler.h"

#include "core/app_error.h"

#include <QString>

namespace vanta::ui {

void runHandler(core::Interaction &ui, const char *routine, const std::function<void()> &body)
{
    try {
        body();
    } catch (const core::AppError &error) {
        core::reportAppError(ui, error, QString::fromLatin1(routine));
    }
}

} // namespace vanta::ui
