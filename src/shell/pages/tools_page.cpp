// The tools page ("VERKTYG"): the tools menu on the left and, beside it,
// either the numbered first-start steps in red or a blue hint per button.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "toolkit/toolkit.h"

namespace shell {

namespace {

struct Hint {
    int y;
    const char* text;
};

// Beside the tools-menu buttons (the company details row has its own text).
const Hint hints[] = {
    {105, "Kompleterande text för faktura fylls i här om så önskas."},
    {125, "Kundregistret hanteras här om så önskas."},
    {145, "Inställningar för löpande bokföring. Förinmatas automatiskt när bokföringsår valts."},
    {165, "Artikelregister hanteras här om så önskas."},
    {197, "Säkerhetskopiering hanteras här om så önskas."},
    {262, "Flyttning av tidigare bokföring till MerValla hanteras här. Kan göras efter hand om så "
          "önskas."},
    {282,
     "SIE-fil till revisorn eller ett annat program. ROT/RUT-fil med begäran till Skatteverket."},
    {345, "Välja/ändra bokföringsår är nädvändigt för att kunna bokföra."},
    {365, "Skapa bokföringsår är nädvändigt för att kunna bokföra."},
    {430, "När bokföringsåret är slut slutförs året med denna knapp."},
    {450,
     "När året är slutfört tas bokslutsunderlag fram med denna knapp. Används vid deklaration."},
    {470, "När inventering görs skrivs det in här."},
    {535, "Olika listor."},
};

void boxStep(int window, int left, int top, int right, int bottom, bool pointer) {
    const int red = rgb(200, 0, 0);
    frameRect(window, left, top, right, bottom, red);
    if (pointer) {
        const int y = (top + bottom) / 2;
        drawLine(window, 150, y, 195, y, red);
        drawLine(window, 150, y + 1, 195, y + 1, red);
    }
}

void paint(int window, int& pageState) {
    if (pageState <= 0) return;
    const ProgramState& s = state();
    beginPage(window);
    drawToolsPanel(window);
    drawText(window, 190, 57, QStringLiteral("VERKTYG"), white, Font::Heading);

    if (s.firstStartProgress > 0) {
        drawText(window, 200, 85,
                 QStringLiteral("SIST HÄR:   STEG 3. Nödvändiga uppgifter om företaget fylls i "
                                "här. Kan fyllas i senare om så önskas."),
                 stepColour, Font::Hint);
        if (s.firstStartProgress == 3) boxStep(window, 195, 83, 780, 103, true);
    } else {
        drawText(window, 200, 85,
                 QStringLiteral("Nödvändiga uppgifter om företaget fylls eller ändras här."),
                 rgb(0, 0, 200), Font::Hint);
    }

    if (s.yearNumber() == 0) {
        lightFrame(window, 200, 170, 773, 230, QStringLiteral("FÖRSTA UPPSTART"));
        drawText(window, 210, 200,
                 QStringLiteral("Följ och genomför den rödmärkta texten i nummerordning!"),
                 stepColour, Font::Hint);
        drawText(window, 200, 345,
                 QStringLiteral("SEDAN HÄR:  STEG 2. Välja bokföringsår är nädvändigt för att "
                                "kunna bokföra"),
                 stepColour, Font::Hint);
        if (s.firstStartProgress == 2) boxStep(window, 195, 343, 700, 363, false);
        drawText(window, 200, 365,
                 QStringLiteral("BÖRJA HÄR:  STEG 1. Skapa bokföringsår är nädvändigt för att "
                                "kunna bokföra."),
                 stepColour, Font::Hint);
        if (s.firstStartProgress == 1) boxStep(window, 195, 363, 700, 383, false);
    }

    if (s.yearNumber() > 2000)
        for (const Hint& h : hints)
            drawText(window, 200, h.y, QString::fromUtf8(h.text), rgb(0, 0, 200), Font::Hint);

    endPage(window, pageState);
}

void command(int cmd) {
    if (cmd == 1015) openPage(PageId::Tools, 1015);
}

} // namespace

PageDefinition toolsPage() {
    PageDefinition p;
    p.id = PageId::Tools;
    p.name = "tools";
    p.paint = paint;
    p.command = command;
    p.commands = {{1015, 1015, true}};
    return p;
}

} // namespace shell
