#include "shell/page.h"
#include "toolkit/toolkit.h"

namespace shell {

int showMessage(const mv::Message& message) {
    if (message.plain) {
        QString text = message.text;
        tk::simpleMessage(mainWindow(), message.title, text);
        return mv::answerOk;
    }
    return tk::messageBox(mainWindow(), message.title, message.text, message.icon, message.buttons);
}

} // namespace shell
