// Reading the field table, the cross-reference tables and the password file.
#include "core/table_files.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "core/row_reports.h"

#include <QStringList>

namespace vanta::core {

namespace {
constexpr int BitFieldKind = 3;
constexpr int LastBit = 15;
// Registers that reach the group-1 and group-2 instruments under their own number.
constexpr int FirstKIdentityRegister = 2064;
constexpr int FirstWIdentityRegister = 0x4700;

const QString InvalidRegisterRemainder =
    QStringLiteral(" is invalid.  This may cause improper configuration data.");

// One record of a table file: its register and the texts of the values after it.
struct TableRecord
{
    qint64 reg = 0;
    QStringList values;
};

// Reads `fileName` record by record (a register and `valueCount` values) and hands each record
// with a valid register to `store`, which may still refuse it by returning false. A register
// outside 1..20480, or a refused record, is reported and skipped (past the first few only
// counted, then summed up); a file failure ends the reading with the file error report.
template <typename Store>
void readTableFile(AppState &app, Interaction &ui, const QString &fileName, int valueCount,
                   const QString &routine, Store store)
{
    RowReports badRows(ui, fileName);
    try {
        DataFileReader file = DataFileReader::open(resolveDataFile(app.programFolder(), fileName));
        file.skipLines(DataFileHeaderLines);
        while (!file.atEnd()) {
            const QString registerText = file.readValue();
            TableRecord record;
            for (int i = 0; i < valueCount; ++i)
                record.values << file.readValue();
            record.reg = parseRegisterText(registerText);
            if (!isRegisterNumber(record.reg) || !store(record))
                badRows.report(InvalidRegisterTitle,
                               invalidRegisterText(record.reg, fileName, InvalidRegisterRemainder));
        }
    } catch (const AppError &error) {
        reportFileReadError(ui, error, fileName, routine);
    }
    badRows.finish();
}

// A command or wire register: -1 for none.
int hexOrNone(const QString &text)
{
    return isNoneText(text) ? -1 : parseHexText(text);
}

bool isBitNumber(int bit)
{
    return bit >= 0 && bit <= LastBit;
}

using WireSetter = void (DataTables::*)(int reg, int wire);

// A wire-register table: the file's records, then registers from `firstIdentity` up map to
// themselves, whether or not the file could be read.
void readWireRegisterFile(AppState &app, Interaction &ui, const QString &fileName,
                          const QString &routine, WireSetter set, int firstIdentity)
{
    DataTables &tables = app.Tables;
    for (int reg = 1; reg <= MaxRegister; ++reg)
        (tables.*set)(reg, -1);
    readTableFile(app, ui, fileName, 1, routine, [&](const TableRecord &record) {
        (tables.*set)(static_cast<int>(record.reg), hexOrNone(record.values[0]));
        return true;
    });
    for (int reg = firstIdentity; reg <= MaxRegister; ++reg)
        (tables.*set)(reg, reg);
}
} // namespace

void ReadCfgFieldFile(AppState &app, Interaction &ui)
{
    DataTables &tables = app.Tables;
    tables.clearCfgField();
    readTableFile(app, ui, QStringLiteral("CfgField.TXT"), 3,
                  QStringLiteral("modVanta.ReadCfgFieldFile"), [&](const TableRecord &record) {
                      const int kind = parseInt16Text(record.values[0]);
                      const int first = parseInt16Text(record.values[1]);
                      const int last = parseInt16Text(record.values[2]);
                      // A bit field's check boxes exist for bits 0..15 only.
                      if (kind == BitFieldKind && !(isBitNumber(first) && isBitNumber(last)))
                          return false;
                      tables.setCfgField(static_cast<int>(record.reg), kind, first, last);
                      return true;
                  });
}

void ReadVantaXrefFile(AppState &app, Interaction &ui)
{
    DataTables &tables = app.Tables;
    tables.clearVantaXref();
    readTableFile(app, ui, QStringLiteral("VantaXref.TXT"), 2,
                  QStringLiteral("modVanta.ReadVantaXrefFile"), [&](const TableRecord &record) {
                      tables.setVantaXref(static_cast<int>(record.reg), hexOrNone(record.values[0]),
                                          hexOrNone(record.values[1]));
                      return true;
                  });
}

void ReadxxKXrefFile(AppState &app, Interaction &ui)
{
    readWireRegisterFile(app, ui, QStringLiteral("xxKXref.TXT"),
                         QStringLiteral("modVanta.ReadxxKXrefFile"), &DataTables::setKXref,
                         FirstKIdentityRegister);
}

void ReadxxWXrefFile(AppState &app, Interaction &ui)
{
    readWireRegisterFile(app, ui, QStringLiteral("xxWXref.TXT"),
                         QStringLiteral("modVanta.ReadxxWXrefFile"), &DataTables::setWXref,
                         FirstWIdentityRegister);
}

void ReadPasswordFile(AppState &app, Interaction &ui)
{
    const QString fileName = QStringLiteral("Password.txt");
    try {
        DataFileReader file = DataFileReader::open(resolveDataFile(app.programFolder(), fileName));
        file.skipLines(DataFileHeaderLines);
        app.Tables.RawWritePassword = file.readValue();
    } catch (const AppError &error) {
        reportFileReadError(ui, error, fileName, QStringLiteral("modVanta.ReadPasswordFile"));
    }
}

} // namespace vanta::core
