// vantactl against libmodbus's RTU master (the reference), side by side on one pseudo-terminal
// whose far end answers as an instrument: 2000 reads of one holding register, then 5 reads
// that nobody answers (1 s time-out), where the CPU time shows whether the wait sleeps.
//
// Both masters run as child processes so their CPU time is measured the same way (wait4).
// Rates come from each program's own loop timing, start-up excluded; vantactl's start-up CPU
// is measured separately (a demo run that touches no port) and taken off its silent figure.
#include "support/pty_responder.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <modbus.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

using vanta::test::PtyResponder;

namespace {

constexpr int FastReads = 2000;
constexpr int SilentReads = 5;
constexpr int TimeoutMs = 1000;
// The fast comparison alternates the two masters this many times. Other work on the machine
// only ever slows a run down, so the best round shows each master's own cost; the median is
// shown beside it.
constexpr int Rounds = 7;

struct ChildRun
{
    int exitCode = -1;
    double cpuSeconds = 0;
    double wallSeconds = 0;
    std::string output; // stdout and stderr together
};

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double cpuOf(const rusage &usage)
{
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs `body` in a child whose stdout and stderr go to a file, and waits for it.
template <typename Body>
ChildRun runChild(Body body)
{
    char path[] = "/tmp/vantactl_bench_XXXXXX";
    const int out = mkstemp(path);
    const double start = monotonicSeconds();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        _exit(body());
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    ChildRun run;
    run.wallSeconds = monotonicSeconds() - start;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.cpuSeconds = cpuOf(usage);
    lseek(out, 0, SEEK_SET);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(out, buffer, sizeof buffer)) > 0)
        run.output.append(buffer, size_t(n));
    close(out);
    unlink(path);
    return run;
}

ChildRun runVantactl(std::vector<std::string> args)
{
    args.insert(args.begin(), VANTACTL_PATH);
    return runChild([&args] {
        std::vector<char *> argv;
        for (std::string &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        return 127;
    });
}

// vantactl reading holding register 0 of address 1 `reads` times. In group 0 the engine
// sends the register number less one, so "1" is register 0 on the wire, as libmodbus sends it.
ChildRun vantactlReads(const QString &device, int reads, const char *mode = nullptr)
{
    std::vector<std::string> args = {"--device",   device.toStdString(),
                                     "--settings", "9600,N,8,1",
                                     "--timeout",  std::to_string(TimeoutMs),
                                     "--group",    "0",
                                     "--protocol", "R",
                                     "--repeat",   std::to_string(reads)};
    if (mode)
        args.push_back(mode);
    for (const char *arg : {"modbus-read", "1", "1", "3", "1"})
        args.push_back(arg);
    return runVantactl(args);
}

// vantactl's own loop time: its last stderr line reads "N transactions in S s".
double vantactlLoopSeconds(const ChildRun &run)
{
    const std::size_t at = run.output.rfind("transactions in ");
    return at == std::string::npos ? -1 : std::atof(run.output.c_str() + at + 16);
}

// libmodbus's master doing the same reads; prints its loop time in seconds.
ChildRun libmodbusReads(const QString &device, int reads)
{
    const std::string path = device.toStdString();
    return runChild([&path, reads] {
        modbus_t *context = modbus_new_rtu(path.c_str(), 9600, 'N', 8, 1);
        if (!context || modbus_set_slave(context, 1) != 0 || modbus_connect(context) != 0)
            return 2;
        modbus_set_response_timeout(context, TimeoutMs / 1000, (TimeoutMs % 1000) * 1000);
        int good = 0;
        const double start = monotonicSeconds();
        for (int i = 0; i < reads; ++i) {
            uint16_t value = 0;
            good += modbus_read_registers(context, 0, 1, &value) == 1 ? 1 : 0;
        }
        std::printf("%d good in %.3f s\n", good, monotonicSeconds() - start);
        std::fflush(stdout);
        modbus_close(context);
        modbus_free(context);
        return good == reads ? 0 : 1;
    });
}

double libmodbusLoopSeconds(const ChildRun &run)
{
    const std::size_t at = run.output.rfind(" in ");
    return at == std::string::npos ? -1 : std::atof(run.output.c_str() + at + 4);
}

void report(const char *name, const ChildRun &run, double loopSeconds, int reads)
{
    std::printf("%-28s exit %3d  loop %7.3f s  %9.1f reads/s  wall %7.3f s  cpu %6.3f s\n", name,
                run.exitCode, loopSeconds, loopSeconds > 0 ? reads / loopSeconds : 0.0,
                run.wallSeconds, run.cpuSeconds);
}

struct Measured
{
    ChildRun run;
    double loopSeconds = 0;
};

// The rounds from fastest to slowest.
std::vector<Measured> sorted(std::vector<Measured> runs)
{
    std::sort(runs.begin(), runs.end(),
              [](const Measured &a, const Measured &b) { return a.loopSeconds < b.loopSeconds; });
    return runs;
}

} // namespace

int main()
{
    auto registers = std::make_shared<vanta::test::RegisterMap>();
    (*registers)[0] = 1234;

    std::printf("== %d reads of holding register 0, answered at once (%d rounds)\n", FastReads,
                Rounds);
    double fastRatio = 0;
    double medianRatio = 0;
    {
        PtyResponder instrument(vanta::test::modbusRtuInstrument(1, registers));
        std::vector<Measured> references;
        std::vector<Measured> ours;
        for (int round = 0; round < Rounds; ++round) {
            const ChildRun reference = libmodbusReads(instrument.devicePath(), FastReads);
            const ChildRun our = vantactlReads(instrument.devicePath(), FastReads);
            if (reference.exitCode != 0 || our.exitCode != 0) {
                std::printf("a master failed:\n%s\n%s\n", reference.output.c_str(),
                            our.output.c_str());
                return 1;
            }
            references.push_back({reference, libmodbusLoopSeconds(reference)});
            ours.push_back({our, vantactlLoopSeconds(our)});
        }
        references = sorted(references);
        ours = sorted(ours);
        const Measured &reference = references.front();
        const Measured &our = ours.front();
        report("libmodbus, best", reference.run, reference.loopSeconds, FastReads);
        report("vantactl, best", our.run, our.loopSeconds, FastReads);
        const Measured &referenceMedian = references[references.size() / 2];
        const Measured &ourMedian = ours[ours.size() / 2];
        report("libmodbus, median", referenceMedian.run, referenceMedian.loopSeconds, FastReads);
        report("vantactl, median", ourMedian.run, ourMedian.loopSeconds, FastReads);
        fastRatio = reference.loopSeconds / our.loopSeconds;
        medianRatio = referenceMedian.loopSeconds / ourMedian.loopSeconds;
    }

    std::printf("== %d reads nobody answers, time-out %d ms\n", SilentReads, TimeoutMs);
    double ourNetCpu = 0;
    double referenceCpu = 0;
    {
        PtyResponder instrument(vanta::test::silentInstrument());
        const ChildRun reference = libmodbusReads(instrument.devicePath(), SilentReads);
        const ChildRun ours = vantactlReads(instrument.devicePath(), SilentReads);
        const ChildRun startup = vantactlReads(instrument.devicePath(), SilentReads, "--demo");
        report("libmodbus", reference, libmodbusLoopSeconds(reference), SilentReads);
        report("vantactl (2 attempts each)", ours, vantactlLoopSeconds(ours), SilentReads);
        report("vantactl start-up (demo)", startup, vantactlLoopSeconds(startup), SilentReads);
        referenceCpu = reference.cpuSeconds;
        ourNetCpu = ours.cpuSeconds - startup.cpuSeconds;
    }

    std::printf("== ratios\n");
    std::printf("reads per second, vantactl / libmodbus: best %.2f, median %.2f (target >= 1)\n",
                fastRatio, medianRatio);
    std::printf("silent reads, vantactl CPU without start-up: %.3f s (target < 0.05); "
                "libmodbus: %.3f s\n",
                ourNetCpu, referenceCpu);
    return 0;
}
