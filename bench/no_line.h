// A serial line with nothing on it, for benchmarks that must not talk to an instrument.
#pragma once

#include "comms/serial_line.h"

#include <functional>

namespace vanta::bench {

class NoLine : public comms::SerialLine
{
public:
    void setCommPort(int) override {}
    int commPort() const override { return 1; }
    void setSettings(const QString &) override {}
    void setRTSEnable(bool) override {}
    bool portOpen() const override { return false; }
    void setPortOpen(bool) override {}
    QByteArray input(int) override { return {}; }
    void output(const QByteArray &) override {}
    int inBufferCount() override { return 0; }
    bool waitForInput(int) override { return false; }
    void setReadyReadHandler(std::function<void()>) override {}
};

} // namespace vanta::bench
