// Loading the delivered data files.
#include "core/data_files.h"

#include "core/app_state.h"
#include "core/model_file.h"
#include "core/table_files.h"

#include <QFileInfo>

namespace vanta::core {

void loadDataFiles(AppState &app, Interaction &ui)
{
    ReadModelFile(app, ui);
    ReadCfgFieldFile(app, ui);
    ReadVantaXrefFile(app, ui);
    ReadxxKXrefFile(app, ui);
    ReadxxWXrefFile(app, ui);
    ReadPasswordFile(app, ui);
}

bool hasPacingMarker(const AppState &app)
{
    return QFileInfo::exists(app.programFile(PacingMarkerFile));
}

} // namespace vanta::core
