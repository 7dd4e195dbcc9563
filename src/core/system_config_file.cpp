// Reading and writing the system configuration file.
#include "core/system_config_file.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "core/interaction.h"
#include "core/number_format.h"
#include "core/safe_file.h"

#include <cmath>
#include <limits>

namespace vanta::core {

namespace {

float readSingle(DataFileReader &reader)
{
    const double value = reader.readDouble();
    if (std::fabs(value) > std::numeric_limits<float>::max())
        throw AppError{ErrorNumber::Overflow, QStringLiteral("Overflow")};
    return static_cast<float>(value);
}

// Lines 1-12, each value stored as soon as it is read.
void readSettings(DataFileReader &reader, SystemConfig &config)
{
    config.CommPort = reader.readInt16();
    config.BaudRate = readSingle(reader);
    config.Parity = reader.readValue();
    config.DataBits = reader.readInt16();
    config.StopBits = reader.readInt16();
    config.PollTimeout = reader.readInt16();
    config.ControllerGroup = reader.readInt16();
    config.ProtocolCode = reader.readValue();
    config.TempPollRate = readSingle(reader);
    config.SPPollRate = readSingle(reader);
    config.ViewerProgram = reader.readLine();
    config.DefaultFolder = reader.readLine();
}

InstrumentRecord readInstrument(DataFileReader &reader)
{
    InstrumentRecord record;
    record.InstAddress = reader.readValue();
    record.InstName = reader.readValue();
    record.InstProtocol = reader.readValue();
    record.InstGroup = reader.readInt16();
    record.LogDurationUnit = reader.readInt16();
    record.LogDuration = reader.readInt16();
    record.LogRateUnit = reader.readInt16();
    record.LogRate = readSingle(reader);
    return record;
}

// A text on a line of its own, as it must stand to read back the same.
QString storedText(const QString &text)
{
    QString value = text;
    value.remove(QLatin1Char('"'));
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    const bool needsQuotes = value.trimmed().isEmpty() || value.contains(QLatin1Char(',')) ||
                             value.trimmed().size() != value.size();
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

// A text read as a whole line: only line breaks would break it.
QString storedLine(const QString &text)
{
    QString value = text;
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QStringList configLines(const SystemConfig &config)
{
    QStringList lines{signOrBlank(config.CommPort),        signOrBlank(config.BaudRate),
                      storedText(config.Parity),           signOrBlank(config.DataBits),
                      signOrBlank(config.StopBits),        signOrBlank(config.PollTimeout),
                      signOrBlank(config.ControllerGroup), storedText(config.ProtocolCode),
                      signOrBlank(config.TempPollRate),    signOrBlank(config.SPPollRate),
                      storedLine(config.ViewerProgram),    storedLine(config.DefaultFolder)};
    for (const InstrumentRecord &record : config.Instruments) {
        lines << storedText(record.InstAddress) << storedText(record.InstName)
              << storedText(record.InstProtocol) << signOrBlank(record.InstGroup)
              << signOrBlank(record.LogDurationUnit) << signOrBlank(record.LogDuration)
              << signOrBlank(record.LogRateUnit) << signOrBlank(record.LogRate);
    }
    return lines;
}

} // namespace

void ReadSystemConfig(AppState &app, Interaction &ui)
{
    const QString fileName = app.configFileName();
    try {
        DataFileReader reader = DataFileReader::open(app.programFile(fileName));
        readSettings(reader, app.Config);
        app.Config.Instruments.clear();
        while (!reader.atEnd())
            app.Config.Instruments.push_back(readInstrument(reader));
    } catch (const AppError &error) {
        reportFileReadError(ui, error, fileName, QStringLiteral("modVanta.ReadSystemConfig"));
    }
}

bool SaveSystemConfig(AppState &app, Interaction &ui)
{
    const QString fileName = app.configFileName();
    try {
        writeFileReplacing(app.programFile(fileName), latin1Lines(configLines(app.Config)));
        return true;
    } catch (const AppError &error) {
        reportFileWriteError(ui, error, fileName, QStringLiteral("modVanta.SaveSystemConfig"));
        return false;
    }
}

} // namespace vanta::core
