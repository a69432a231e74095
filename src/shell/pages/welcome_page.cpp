// The welcome page (start page): the home page of the program with its link
// frames, the selected year, the notes box and, on a first start, the box
// with the three first steps. Also the shell's own commands: "Start",
// "Donera numera", the unused buttons and "X".
#include "help/help_links.h"
#include "shell/exit_procedure.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "shell/shell_internal.h"
#include "toolkit/toolkit.h"

namespace shell {

namespace {

// The links of one frame, from the one table of links: the label at the
// area's top left, the description lines below it, 15 apart and 5 further
// right.
void drawLinks(int window, mv::help::LinkFrame frame) {
    for (const mv::help::WelcomeLink& l : mv::help::welcomeLinks()) {
        if (l.frame != frame) continue;
        const int x = l.area.left;
        drawText(window, x, l.area.top, QString::fromUtf8(l.label), linkColour, Font::Body);
        for (int n = 0; n < 3 && l.lines[static_cast<size_t>(n)]; ++n)
            drawText(window, x + 5, l.area.top + 15 * (n + 1),
                     QString::fromUtf8(l.lines[static_cast<size_t>(n)]), greyText, Font::Body);
    }
}

void drawFirstStartBox(int window) {
    fillRect(window, 80, 208, 80 + 622, 208 + 194, rgb(170, 170, 170));
    lightFrame(window, 70, 200, 690, 390, QStringLiteral("FÖRSTA UPPSTART"));
    fillRect(window, 73, 222, 73 + 615, 222 + 168, rgb(200, 255, 255));
    const int black = rgb(0, 0, 0);
    const int red = rgb(255, 0, 0);
    drawText(window, 100, 230, QStringLiteral("Detta är din första uppstart med MerValla."), black,
             Font::Hint);
    drawText(window, 100, 250,
             QStringLiteral("Innan bokföring kan börjas måste några uppgifter matas in. Detta  "
                            "görs med knappen  'Verktyg'"),
             black, Font::Hint);
    drawText(window, 100, 270,
             QStringLiteral("högst upp till höger! De moment som måste göras har röd text och är "
                            "nummrerade i ordning:"),
             black, Font::Hint);
    drawText(window, 100, 295, QStringLiteral("STEG 1. Skapa bokföringsår"), red, Font::Hint);
    drawText(window, 100, 315, QStringLiteral("STEG 2. Välj bokföringsår"), red, Font::Hint);
    drawText(window, 100, 335, QStringLiteral("STEG 3. Nödvändiga uppgifter om företaget"), red,
             Font::Hint);
    drawText(window, 100, 365, QStringLiteral("Genomför dessa punkter i sin helhet innan avslut."),
             black, Font::Hint);
}

void paint(int window, int& pageState) {
    if (pageState <= 0) return;
    const ProgramState& s = state();
    beginPage(window);
    darkFrame(window, 0, 53, 793, 583, QStringLiteral("VÄLKOMMEN TILL MERVALLA!"));
    fillRect(window, 755, 12, 755 + 28, 12 + 28, rgb(50, 50, 100));

    const int rose = rgb(200, 100, 100);
    drawText(window, 325, 85, QStringLiteral("Öpppna donerafönstret"), rose, Font::Body);
    drawText(window, 49, 84, QStringLiteral("Manuell uppdarering"), rose, Font::Body);
    drawText(window, 50, 85, QStringLiteral("Manuell uppdarering"), rose, Font::Body);
    drawText(window, 50, 100, QStringLiteral("Klicka på länken här"), greyText, Font::Body);
    drawText(window, 50, 115, QStringLiteral("ovan för uppdatering"), greyText, Font::Body);

    lightFrame(window, 10, 150, 210, 575, QStringLiteral("Viktiga länkar"));
    drawLinks(window, mv::help::LinkFrame::Important);

    lightFrame(window, 220, 150, 573, 390, QStringLiteral("Aktiverat år är"));
    if (s.yearNumber() < 2000) {
        // The first-start box below covers the large figures: the year goes
        // in the strip above the box instead.
        drawText(window, 230, 176, s.selectedYear, rgb(250, 0, 0), Font::Heading);
    } else {
        drawText(window, 300, 220, s.selectedYear, rgb(250, 0, 0), Font::Big);
    }
    if (s.isLocked())
        drawText(window, 320, 310, QStringLiteral("ÅRET ÄR LÅST"), rgb(250, 0, 0), Font::Heading);

    lightFrame(window, 583, 150, 783, 390, QStringLiteral("Support"));
    drawLinks(window, mv::help::LinkFrame::Support);

    lightFrame(window, 220, 400, 783, 575, QStringLiteral("Anteckningar"));

    if (s.yearNumber() < 2000) drawFirstStartBox(window);

    tk::showControl(notesBox());
    endPage(window, pageState);
    tk::showControl(donateButton());
}

void command(int cmd) {
    switch (cmd) {
    case 1090:
        saveNotes();
        exitProcedure();
        break;
    case 1500:
        showWelcomePage();
        break;
    case 1501:
        tk::messageBox(mainWindow(), QStringLiteral("PROGRAMUTVECKLING"),
                       QStringLiteral("Funktionen är ej klar ännu!"), QStringLiteral("EXCLAMATION"),
                       QStringLiteral("OK"));
        break;
    case 9999: {
        QString text = QStringLiteral("########### EJ KLAR ÄNNU! ########### ");
        tk::simpleMessage(mainWindow(), QStringLiteral("PROGRAMMERING"), text);
        break;
    }
    default:
        break;
    }
}

} // namespace

PageDefinition welcomePage() {
    PageDefinition p;
    p.id = PageId::Welcome;
    p.name = "welcome";
    p.paint = paint;
    p.command = command;
    p.commands = {{1090, 1090, false}, {1500, 1501, false}, {9999, 9999, false}};
    return p;
}

} // namespace shell
