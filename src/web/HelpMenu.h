// The Help menu both main windows carry: online help, the home page, the
// update page and the about box.
#pragma once

#include "platform/Platform.h"

class QAction;
class QMenuBar;

namespace web {

struct HelpMenu {
    QAction* mnuOnline;
    QAction* mnuVisit;
    QAction* mnuUpdate;
    QAction* mnuAbout;  // the window shows the about box when it is triggered
};

// Adds the menu to the bar and opens the pages from its items.
HelpMenu AddHelpMenu(QMenuBar* bar, platform::Platform& platform);

}  // namespace web
