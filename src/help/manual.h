#pragma once
// The manual shipped with the program: where it lies, and how a target of a
// click (help/help_links.h) becomes an address for the desktop's browser.
//
// The manual is a folder of HTML pages. It is looked for
//  1. at the path relative to the program's own folder where the install
//     puts it (bin/../share/mervalla/manual); the build copies the manual to
//     the same place relative to the program in the build tree, so a program
//     run from a checkout's build finds it the same way;
//  2. in a folder "manual" beside the program (a program unpacked into one
//     folder).
// The first that holds the start page is used; when neither does, the first
// is named in the message about the missing page.
#include "help/help_links.h"
#include "store/user_message.h"

#include <QString>

#include <optional>

namespace mv::help {

// The manual folder for a program that lies in `programDir`.
QString manualFolder(const QString& programDir);

// The file of a manual page ("name.htm" or "name.htm#anchor") in the folder.
QString manualFile(const QString& folder, const QString& page);

// How to open a target: the address to hand to the desktop (a file URL for
// a manual page, its anchor kept), or the message to show instead when a
// manual page is missing, and the message for a desktop that could not open
// the address.
struct Opening {
    QString address;
    std::optional<Message> refusal;
    Message failure;
};
Opening openingOf(const Target& target, const QString& manualFolder);

// The messages (title "Dr. Hjälp", exclamation icon, OK), each naming the
// file or the address.
Message pageMissingMessage(const QString& file);
Message pageNotOpenedMessage(const QString& file);
Message linkNotOpenedMessage(const QString& address);

} // namespace mv::help
