// vantasim: serves a line full of simulated instruments on a pseudo-terminal until SIGINT or
// SIGTERM, then removes its link.
#include "data_set.h"
#include "pty.h"
#include "scenario.h"
#include "server.h"
#include "simulated_line.h"

#include "core/program_folder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace vanta;

namespace {

int failWith(const QString &message)
{
    std::fprintf(stderr, "vantasim: %s\n", qPrintable(message));
    return 1;
}

// Signals arrive as readable bytes on a descriptor that the serving loop polls.
int signalDescriptor()
{
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGHUP);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    return signalfd(-1, &mask, SFD_CLOEXEC);
}

struct Options
{
    QString link;
    QString scenario;
    QString dataFolder;
    sim::ServerOptions server;
    std::optional<int> turnaroundMs;
    std::vector<sim::Fault> faults;
    std::optional<unsigned> seed;
};

std::optional<Options> parseOptions(const QCoreApplication &app, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated instruments on a virtual serial line (a pseudo-terminal)."));
    parser.addHelpOption();
    parser.addOptions({
        {"link", "Make PATH a symbolic link to the line's device.", "PATH"},
        {"scenario",
         "Instruments and faults of the line (default: default.scn in the program folder).",
         "FILE"},
        {"data", "Folder of the model and table files (default: the program folder).", "DIR"},
        {"wire-speed", "Send replies at the pace of the line's baud rate and framing."},
        {"turnaround",
         "Instrument's think time before a reply, in ms (default 0, 5 with --wire-speed).", "MS"},
        {"fault", "Inject a fault: \"[@NAME] KIND[:ARG] [rate R | next N]\" (repeatable).",
         "FAULT"},
        {"seed", "Seed of the noise and fault rates, for repeatable runs.", "N"},
    });
    parser.process(app);
    Options options;
    const QString folder = core::programFolder();
    options.link = parser.value("link");
    options.dataFolder = parser.isSet("data") ? parser.value("data") : folder;
    options.scenario =
        parser.isSet("scenario") ? parser.value("scenario") : QDir(folder).filePath("default.scn");
    options.server.wireSpeed = parser.isSet("wire-speed");
    bool ok = true;
    if (parser.isSet("turnaround")) {
        options.turnaroundMs = parser.value("turnaround").toInt(&ok);
        if (!ok || *options.turnaroundMs < 0 || *options.turnaroundMs > 60000) {
            error = QStringLiteral("--turnaround takes milliseconds, 0..60000");
            return std::nullopt;
        }
    }
    for (const QString &text : parser.values("fault")) {
        const std::optional<sim::Fault> fault = sim::parseFault(text, error);
        if (!fault)
            return std::nullopt;
        options.faults.push_back(*fault);
    }
    if (parser.isSet("seed")) {
        options.seed = parser.value("seed").toUInt(&ok);
        if (!ok) {
            error = QStringLiteral("--seed takes a whole number");
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantasim"));
    QString error;
    const std::optional<Options> options = parseOptions(app, error);
    if (!options)
        return failWith(error);

    std::optional<sim::Scenario> scenario = sim::readScenario(options->scenario, error);
    if (!scenario)
        return failWith(error);
    scenario->faults.insert(scenario->faults.end(), options->faults.begin(), options->faults.end());
    if (options->seed)
        scenario->seed = options->seed;
    sim::ServerOptions serverOptions = options->server;
    // The command line wins over the scenario; without either a line at wire speed answers
    // after 5 ms, an instant line at once.
    const int turnaround = options->turnaroundMs.value_or(
        scenario->turnaroundMs.value_or(serverOptions.wireSpeed ? 5 : 0));
    serverOptions.turnaroundSeconds = turnaround / 1000.0;
    QStringList problems;
    const std::unique_ptr<sim::DataSet> data = sim::DataSet::load(options->dataFolder, problems);
    for (const QString &problem : problems)
        std::fprintf(stderr, "vantasim: %s\n", qPrintable(problem));
    const std::unique_ptr<sim::SimulatedLine> line =
        sim::SimulatedLine::create(*scenario, *data, error);
    if (!line)
        return failWith(error);

    const int stopFd = signalDescriptor();
    const std::unique_ptr<sim::PseudoTerminal> pty = sim::PseudoTerminal::open(error);
    if (!pty)
        return failWith(error);
    if (!options->link.isEmpty() && !pty->linkTo(options->link, error))
        return failWith(error);
    std::printf(
        "vantasim: %d instrument(s) on %s%s\n", static_cast<int>(line->instruments().size()),
        qPrintable(pty->devicePath()),
        options->link.isEmpty() ? "" : qPrintable(QStringLiteral(" (link %1)").arg(options->link)));
    std::fflush(stdout);

    sim::Server server(*pty, *line, serverOptions);
    server.run(stopFd);
    ::close(stopFd);
    return 0;
}
