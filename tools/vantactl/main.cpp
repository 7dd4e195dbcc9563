// Entry point of vantactl.
#include "vantactl.h"

#include <QCoreApplication>
#include <cstdlib>

int main(int argc, char **argv)
{
#ifdef Q_OS_LINUX
    // Every transaction reads the local time several times. With TZ unset, glibc checks the
    // zone file on each of those reads (a stat of /etc/localtime); naming the same file in TZ
    // keeps the local time identical and lets it skip the check, which is most of the CPU a
    // fast transaction costs.
    setenv("TZ", ":/etc/localtime", /*overwrite=*/0);
#endif
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return vanta::tools::runVantactl(arguments);
}
