// The shared navigation buttons and menus.
#include "ui/navigation_bar.h"

#include "ui/navigator.h"

#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace vanta::ui {

namespace {

enum class Target
{
    MainScreen,
    Monitor,
    Modal
};

struct NavigationButton
{
    const char *objectName;
    const char *caption;
    const char *window;
    Target target;
};

// Captions keep their blanks: they are the captions users know.
constexpr NavigationButton NavigationButtons[] = {
    {"cmdConfigureController", "   &Configure   Instrument", "frmConfig", Target::MainScreen},
    {"cmdFind", "   F&ind     Instruments", "frmFind", Target::MainScreen},
    {"cmdStatus", "   Instrument  &Status", "frmStatus", Target::MainScreen},
    {"cmdGraph", "&Graphing", "frmGraph", Target::MainScreen},
    {"cmdMainMenu", "   &Main Menu Screen", "frmMain", Target::MainScreen},
    {"cmdMonitor", "S&ystem Monitor", "mdiMonitor", Target::Monitor},
    {"cmdLogging", "&Logging", "frmLogging", Target::Modal},
    {"cmdSetpoints", "  &Edit   Setpoints", "frmSetpoints", Target::Modal},
};

void go(Navigator &navigator, QWidget *window, const NavigationButton &button)
{
    const QString name = QString::fromLatin1(button.window);
    switch (button.target) {
    case Target::MainScreen:
        navigator.showMainScreen(window, name);
        return;
    case Target::Monitor:
        navigator.showModeless(name);
        return;
    case Target::Modal:
        navigator.openModal(window, name);
        return;
    }
}

QAction *addItem(QMenu *menu, const char *objectName, const char *caption)
{
    QAction *action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

QWidget *createNavigationButtons(QWidget *window, Navigator &navigator, int columns)
{
    auto *row = new QWidget(window);
    row->setObjectName(QStringLiteral("fraNavigation"));
    auto *layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    columns = qMax(1, columns);
    int index = 0;
    for (const NavigationButton &button : NavigationButtons) {
        auto *push = new QPushButton(QString::fromLatin1(button.caption), row);
        push->setObjectName(QString::fromLatin1(button.objectName));
        push->setAutoDefault(false);
        QObject::connect(push, &QPushButton::clicked, window,
                         [&navigator, window, &button] { go(navigator, window, button); });
        layout->addWidget(push, index / columns, index % columns);
        ++index;
    }
    return row;
}

void addFileMenu(QMenuBar *bar, QWidget *window)
{
    QMenu *menu = bar->addMenu(QStringLiteral("&File"));
    menu->setObjectName(QStringLiteral("mnuFile"));
    QObject::connect(addItem(menu, "mnuFileExit", "E&xit"), &QAction::triggered, window,
                     [window] { window->close(); });
}

void addCommunicationsMenu(QMenuBar *bar, QWidget *window, Navigator &navigator)
{
    QMenu *menu = bar->addMenu(QStringLiteral("Communications"));
    menu->setObjectName(QStringLiteral("mnuComm"));
    const auto modal = [&navigator, window](const char *name) {
        return
            [&navigator, window, name] { navigator.openModal(window, QString::fromLatin1(name)); };
    };
    QObject::connect(addItem(menu, "mnuCommSetup", "Setup"), &QAction::triggered, window,
                     modal("frmCommSetup"));
    QObject::connect(addItem(menu, "mnuCommTerm", "Terminal"), &QAction::triggered, window,
                     [&navigator, window] { navigator.showTerminal(window); });
    QObject::connect(addItem(menu, "mnuCommRegister", "Register Access"), &QAction::triggered,
                     window, modal("frmRegister"));
    QObject::connect(addItem(menu, "mnuVantaLink", "Vanta Link Access"), &QAction::triggered,
                     window, modal("frmVantaLink"));
    QObject::connect(addItem(menu, "mnuCommTrace", "Protocol Trace"), &QAction::triggered, window,
                     [&navigator] { navigator.showTool(QStringLiteral("frmTrace")); });
}

} // namespace vanta::ui
