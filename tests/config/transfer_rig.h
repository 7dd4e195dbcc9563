// A configuration model whose instrument sits at the far end of a scripted line and answers
// Modbus RTU from a register map, with faults per register and a record of every write, for
// the tests of reading and sending whole configurations.
#pragma once

#include "config/config_model.h"
#include "config/configuration_read.h"
#include "config_rig.h"
#include "core/address.h"
#include "core/data_files.h"
#include "core/model_file.h"
#include "core/registers.h"
#include "support/pty_responder.h"
#include "support/scripted_interaction.h"
#include "support/scripted_line.h"
#include "support/settable_clock.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace vanta::test {

// One Modbus RTU instrument by program register numbers (the rig translates them).
class RtuInstrument
{
public:
    static constexpr int Silent = -1;

    std::map<int, int> values;               // by wire register
    std::map<int, int> readFaults;           // wire register -> exception code, or Silent
    std::map<int, int> writeFaults;          // the same for writes
    std::vector<std::pair<int, int>> writes; // wire register and value, in order

    QByteArray answer(int address, const QByteArray &request)
    {
        if (request.size() < 8 || quint8(request[0]) != address)
            return {};
        const int function = quint8(request[1]);
        const int wire = word(request, 2);
        const bool isWrite = function == 5 || function == 6 || function == 16;
        const auto &faults = isWrite ? writeFaults : readFaults;
        if (const auto fault = faults.find(wire); fault != faults.end())
            return fault->second == Silent ? QByteArray() : exception(request, fault->second);
        if (values.find(wire) == values.end())
            return exception(request, 2);
        QByteArray reply = request.left(2);
        if (isWrite) {
            const int value = function == 16 ? word(request, 7) : word(request, 4);
            const int stored = function == 5 ? (value == 0xFF00 ? 1 : 0) : qint16(value);
            values[wire] = stored;
            writes.emplace_back(wire, stored);
            return withCrc(request.left(6));
        }
        if (function == 1 || function == 2)
            reply += QByteArray("\x01") + char(values[wire] != 0 ? 1 : 0);
        else
            reply +=
                QByteArray("\x02") + char((values[wire] >> 8) & 0xFF) + char(values[wire] & 0xFF);
        return withCrc(reply);
    }

private:
    static int word(const QByteArray &bytes, int at)
    {
        return (quint8(bytes[at]) << 8) | quint8(bytes[at + 1]);
    }
    static QByteArray withCrc(const QByteArray &frame) { return frame + crc16Modbus(frame); }
    static QByteArray exception(const QByteArray &request, int code)
    {
        QByteArray reply;
        reply += request[0];
        reply += char(quint8(request[1]) | 0x80);
        reply += char(code);
        return withCrc(reply);
    }
};

class TransferRig
{
public:
    // `folder` holds the data files and receives the system configuration file.
    explicit TransferRig(int group, const char *modelId,
                         const QString &folder = QStringLiteral(VANTA_DATA_DIR))
        : app(folder)
    {
        app.Config.ControllerGroup = static_cast<qint16>(group);
        app.Config.ProtocolCode = QStringLiteral("R");
        app.Config.PollTimeout = 200;
        core::loadDataFiles(app, user);
        user.boxes.clear();
        line.setPortOpen(true);
        app.setCommEnabled(true);
        model = std::make_unique<config::ConfigModel>(app);
        select(modelId);
        line.responder = [this](const QByteArray &request) {
            return instrument.answer(address(), request);
        };
        fillInstrument();
    }

    // Selects the model with this id on screen and applies the field rules.
    void select(const char *id) { selectModelById(*model, app, id); }

    // Fills every field from the instrument, as the user's read before a send does, and
    // forgets that traffic.
    void readFirst()
    {
        ASSERT_EQ(config::ReadControllerParameters(*model, link),
                  config::TransferResult::Completed);
        instrument.writes.clear();
        user.boxes.clear();
    }

    int address() const { return core::ParseAddress(model->group(), model->AddressText); }
    // Group 0 registers go on the wire one lower, as Modbus numbers them from 0.
    int wire(int reg) const { return model->group() == 0 ? reg - 1 : app.Tables.KXref(reg); }
    void set(int reg, int value) { instrument.values[wire(reg)] = value; }
    int get(int reg) { return instrument.values[wire(reg)]; }
    void failRead(int reg, int code) { instrument.readFaults[wire(reg)] = code; }
    void failWrite(int reg, int code) { instrument.writeFaults[wire(reg)] = code; }
    void remove(int reg) { instrument.values.erase(wire(reg)); }

    // The program registers written, in order.
    std::vector<int> written() const
    {
        std::vector<int> regs;
        for (const auto &[w, value] : instrument.writes)
            regs.push_back(programRegister(w));
        return regs;
    }
    // The value of the last write of `reg`; -99999 when it was never written.
    int lastWrite(int reg) const
    {
        int last = -99999;
        for (const auto &[w, value] : instrument.writes)
            last = programRegister(w) == reg ? value : last;
        return last;
    }
    int writesOf(int reg) const
    {
        const std::vector<int> regs = written();
        return static_cast<int>(std::count(regs.begin(), regs.end(), reg));
    }

    core::AppState app{QStringLiteral(VANTA_DATA_DIR)};
    SettableClock clock;
    ScriptedLine line{clock};
    ScriptedInteraction user;
    comms::CommLink link{app, line, clock, user};
    RtuInstrument instrument;
    std::unique_ptr<config::ConfigModel> model;

private:
    int programRegister(int w) const
    {
        if (model->group() == 0)
            return w + 1;
        for (int reg = 1; reg <= core::MaxRegister; ++reg) {
            if (app.Tables.KXref(reg) == w)
                return reg;
        }
        return -w;
    }

    // Every register the selected model has, at 0, with the identification, decimal point
    // and input type of the model on screen and remote changes allowed.
    void fillInstrument()
    {
        for (int reg = 1; reg <= core::MaxRegister; ++reg) {
            if (app.Catalogue.ModelRegisters(reg, model->SelectedModel()) && wire(reg) >= 0)
                set(reg, 0);
        }
        const QString id = model->ModelId();
        if (model->group() == 0)
            set(core::ModelIdRegister, id[0].toLatin1() * 256 + id[1].toLatin1());
        else
            set(core::ModelIdRegister, id == QLatin1String("QT") ? 2 : 1);
        set(792, model->group() == 0 ? 1 : 0);
        set(remoteRegister(), 1);
    }
    int remoteRegister() const { return model->group() == 0 ? 805 : 2064; }
};

} // namespace vanta::test
