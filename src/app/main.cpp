// Entry point of the VantaLnk3 application (and of its product variant when named Orvel).
#include "core/app_state.h"
#include "core/program_folder.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    vanta::core::AppState app(vanta::core::programFolder());
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("VantaLnk3"));
    window.show();
    return application.exec();
}
