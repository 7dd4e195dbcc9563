// Terminal settings through the numeric-speed interface (struct termios2). This file must not
// include <termios.h>: the kernel's and the C library's terminal structures clash.
#include "terminal_settings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vanta::sim {

namespace {

int dataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

tcflag_t sizeFlag(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

char parityOf(tcflag_t cflag)
{
    if (!(cflag & PARENB))
        return 'N';
    const bool odd = cflag & PARODD;
    if (cflag & CMSPAR)
        return odd ? 'M' : 'S';
    return odd ? 'O' : 'E';
}

tcflag_t parityFlags(char parity)
{
    switch (parity) {
    case 'E':
        return PARENB;
    case 'O':
        return PARENB | PARODD;
    case 'M':
        return PARENB | PARODD | CMSPAR;
    case 'S':
        return PARENB | CMSPAR;
    default:
        return 0;
    }
}

} // namespace

std::optional<LineSettings> readTerminalSettings(int fd)
{
    struct termios2 tio = {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return std::nullopt;
    LineSettings s;
    s.baud = static_cast<int>(tio.c_ospeed);
    s.dataBits = dataBitsOf(tio.c_cflag);
    s.parity = parityOf(tio.c_cflag);
    s.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    return s;
}

bool setRawTerminal(int fd, const LineSettings &settings)
{
    struct termios2 tio = {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_iflag = 0;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag = BOTHER | CREAD | CLOCAL | sizeFlag(settings.dataBits) |
                  parityFlags(settings.parity) | (settings.stopBits == 2 ? CSTOPB : 0);
    tio.c_ispeed = static_cast<speed_t>(settings.baud);
    tio.c_ospeed = static_cast<speed_t>(settings.baud);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

bool terminalKeepsFraming(int fd)
{
    LineSettings probe;
    probe.dataBits = 7;
    probe.parity = 'E';
    const bool set = setRawTerminal(fd, probe);
    const std::optional<LineSettings> seen = readTerminalSettings(fd);
    setRawTerminal(fd, LineSettings{});
    return set && seen && seen->dataBits == 7 && seen->parity == 'E';
}

} // namespace vanta::sim
