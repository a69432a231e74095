#pragma once
// Opening the manual and the outside sites from the pages (UI level:
// implemented in help_links_page.cpp). The click handler of the help marks
// and the welcome page's links, and command 1301 ("Hämta mall Lyx", how to
// make an invoice template), are routed there by the shell.
#include "help/help_links.h"

#include <QString>

namespace helpui {

// The manual folder this program uses.
QString manualFolder();

// Opens the target in the desktop's browser; a manual page that is missing
// or an address the desktop cannot open gives a message naming it. True
// when handed to the desktop.
bool open(const mv::help::Target& target);

// The screens whose help marks are active now: one for every page on show
// (page state above 0), the reports page by the report it shows.
mv::help::ShownScreens shownScreens();

} // namespace helpui
