#include "web/HelpMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "web/modHelp.h"

namespace web {

namespace {
QAction* named(QAction* action, const char* name) {
    action->setObjectName(QLatin1String(name));
    return action;
}
}  // namespace

HelpMenu AddHelpMenu(QMenuBar* bar, platform::Platform& platform) {
    QMenu* menu = bar->addMenu(QMenu::tr("&Help"));
    menu->setObjectName(QStringLiteral("mnuHelp"));
    HelpMenu items{};
    items.mnuOnline = named(menu->addAction(QMenu::tr("&Online Help")), "mnuOnline");
    items.mnuVisit = named(menu->addAction(QMenu::tr("&Visit Us Online")), "mnuVisit");
    named(menu->addSeparator(), "mnuHelpSep1");
    items.mnuUpdate = named(menu->addAction(QMenu::tr("Check for Software &Update")), "mnuUpdate");
    named(menu->addSeparator(), "mnuHelpSep2");
    items.mnuAbout = named(menu->addAction(QMenu::tr("&About Software")), "mnuAbout");

    QObject::connect(items.mnuOnline, &QAction::triggered, menu, [&platform] { OpenWebPage(platform, Page::Help); });
    QObject::connect(items.mnuVisit, &QAction::triggered, menu, [&platform] { OpenWebPage(platform, Page::Home); });
    QObject::connect(items.mnuUpdate, &QAction::triggered, menu, [&platform] { OpenWebPage(platform, Page::Update); });
    return items;
}

}  // namespace web
