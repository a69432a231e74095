// The SIE file page ("SIE-FIL", tools-menu command 1064; "Skapa SIE-fil"
// 1065): the whole accounting year as an SIE 4 file where the user chooses.
// Also the SIE import of the opening balance page ("Läs SIE-fil", 1067):
// another program's closing balance fills the page's rows, which the user
// checks and saves there as any typed registration.
#include "closing/pages/closing_pages.h"
#include "interchange/interchange_messages.h"
#include "interchange/pages/interchange_pages.h"
#include "interchange/sie_export.h"
#include "interchange/sie_import.h"
#include "invoicing/identity_numbers.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/clock.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

constexpr int cmdOpen = 1064;
constexpr int cmdSave = 1065;
constexpr int cmdReadSie = 1067;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

const QString sieFilter = u("SIE-filer (*.se *.SE *.si *.SI);;Alla filer (*.*)");

int saveButton = 0;

void create(int window) {
    saveButton = tk::createButton(window, 205, 330, 140, 30, u("Skapa SIE-fil"), u("C"),
                                  u("NORMAL"), cmdSave);
    tk::hideControl(saveButton);
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("SIE-FIL"));
    shell::lightFrame(window, 195, 95, 785, 380, u("BOKFÖRINGSÅRET SOM SIE-FIL"));
    const mv::CompanyDetails& company = mv::yearRecord().company;
    const std::optional<QString> org = mv::companyOrgNumber(company);
    const QString year = shell::paths().year;
    const char* const lines[] = {
        "Hela bokföringsåret skrivs som en SIE-fil av typ 4: kontoplanen med BAS-konton och",
        "SRU-koder, ingående och utgående balanser, årets resultat och varje verifikation.",
        "Filen tas emot av revisorn, redovisningsbyrån eller ett annat bokföringsprogram.",
        "",
        "Bokslutets poster (avskrivningar, lagerförändring, kundfordringar och leverantörs-",
        "skulder vid årets slut) kommer med som verifikationer i serie B den sista dagen.",
    };
    int y = 125;
    for (const char* line : lines) {
        shell::drawText(window, 205, y, u(line), shell::labelColour, shell::Font::Body);
        y += 20;
    }
    shell::drawText(window, 205, 265, u("Organisationsnummer:"), shell::labelColour,
                    shell::Font::Body);
    shell::drawText(window, 360, 265,
                    org ? mv::hyphenatedNumber(*org) : u("saknas (Momsregistreringsnr)"),
                    org ? shell::labelColour : shell::rgb(200, 0, 0), shell::Font::Body);
    shell::drawText(window, 205, 290, u("Förslag till filnamn:"), shell::labelColour,
                    shell::Font::Body);
    shell::drawText(window, 360, 290, org ? mv::sieFileName(*org, year) : u("-"),
                    shell::labelColour, shell::Font::Body);
    shell::lightFrame(window, 195, 395, 785, 470, u("INGÅENDE BALANS FRÅN ETT ANNAT PROGRAM"));
    shell::drawText(window, 205, 425,
                    u("Ett annat programs SIE-fil läses in under 'REG INGÅENDE BALANS',"),
                    shell::labelColour, shell::Font::Body);
    shell::drawText(window, 205, 445, u("knappen 'Läs SIE-fil'."), shell::labelColour,
                    shell::Font::Body);
    shell::endPage(window, state);
}

void open() {
    shell::openPage(PageId::SieFile, cmdOpen);
    tk::showControl(saveButton);
    tk::enableControl(saveButton);
}

void save() {
    if (shell::state().pageState(PageId::SieFile) <= 0) return;
    shell::progressBar();
    const mv::FileOffer offer =
        mv::sieFileOffer(shell::paths(), mv::yearRecord().settings, mv::yearRecord().company,
                         shell::state().version, mv::todayText());
    interchangeui::saveOfferedFile(offer, u("Spara SIE-fil"), sieFilter);
}

// Another program's SIE file into the rows of the opening balance page.
void readSie() {
    const closingui::OpeningControls& c = closingui::openingControls();
    if (shell::state().pageState(PageId::OpeningBalance) <= 0 || !tk::isEnabled(c.sieButton))
        return;
    const std::optional<QString> org = mv::companyOrgNumber(mv::yearRecord().company);
    if (!org) {
        shell::showMessage(mv::xmsg::orgNumberMissing());
        return;
    }
    QString path;
    if (tk::openFileDialog(0, u("Läs ingående balans från SIE-fil"), u("PATH"), u("OWN_FILTER"),
                           sieFilter, path) != 0)
        return;
    const mv::SieImport in = mv::readSieOpeningBalanceFile(path, *org, shell::paths().year);
    if (!in.ok) {
        shell::showMessage(in.message);
        return;
    }
    if (shell::showMessage(mv::xmsg::sieTakeRows(mv::openingBalanceSummary(in.balance))) !=
        mv::answerYes)
        return;
    const mv::SieOpeningBalance& b = in.balance;
    const std::pair<mv::OpeningRow, mv::Amount> rows[] = {
        {mv::RowCash, b.cash},         {mv::RowEquipment, b.equipment},
        {mv::RowStock, b.stock},       {mv::RowReceivables, b.receivables},
        {mv::RowPayables, b.payables}, {mv::RowLoans, b.loans},
        {mv::RowVat, b.vatDifference},
    };
    for (const auto& [row, amount] : rows)
        tk::setText(c.rows[size_t(row)], amount.toText());
    closingui::recalculateOpeningRows();
    tk::setFocus(c.rows[mv::RowCash]);
}

void command(int cmd) {
    if (cmd == cmdOpen)
        open();
    else if (cmd == cmdSave)
        save();
    else if (cmd == cmdReadSie)
        readSie();
}

} // namespace

bool interchangeui::saveOfferedFile(const mv::FileOffer& offer, const QString& title,
                                    const QString& filter) {
    if (!offer.ok) {
        shell::showMessage(offer.message);
        return false;
    }
    QString path;
    if (tk::saveFileDialog(0, title, u("PATH"), u("OWN_FILTER"), filter, path, offer.defaultName) !=
        0)
        return false;
    mv::Message result;
    const bool written = mv::saveOffer(offer, path, result);
    shell::showMessage(result);
    return written;
}

int interchangeui::sieSaveButton() {
    return saveButton;
}

namespace shell {
PageDefinition sieFilePage() {
    PageDefinition p;
    p.id = PageId::SieFile;
    p.name = "sie file";
    p.createControls = create;
    p.reset = [](int) { tk::hideControl(saveButton); };
    p.paint = paint;
    p.command = command;
    // Each reads the books: the integrity check runs first.
    p.commands = {{cmdOpen, cmdSave, true}, {cmdReadSie, cmdReadSie, true}};
    return p;
}
} // namespace shell
