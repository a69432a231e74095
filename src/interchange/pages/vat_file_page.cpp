// The VAT period beside the VAT report ("Moms", 1100): a list of the year,
// its quarters and its months, "Visa period" (1103) showing that period's
// VAT return in the report viewer, and "Skapa momsfil" (1104) writing
// Skatteverket's upload file of the period chosen where the user chooses.
#include "interchange/interchange_messages.h"
#include "interchange/pages/interchange_pages.h"
#include "reports/pages/report_pages.h"
#include "reports/report_file.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

constexpr int cmdShow = 1103;
constexpr int cmdSave = 1104;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

int periodList = 0;
int showButton = 0;
int saveButton = 0;
int chosen = 1; // the list's item of the period last chosen (1: the year)

void hideAll() {
    for (int h : {periodList, showButton, saveButton})
        tk::hideControl(h);
}

void create(int window) {
    periodList = tk::createList(window, 300, 56, 140, 300, u("READDROP"));
    tk::setFont(periodList, shell::font(shell::Font::Field));
    showButton =
        tk::createButton(window, 450, 55, 90, 22, u("Visa period"), u("C"), u("NORMAL"), cmdShow);
    saveButton = tk::createButton(window, 550, 55, 110, 22, u("Skapa momsfil"), u("C"), u("NORMAL"),
                                  cmdSave);
    hideAll();
}

// The period of the list's choice.
mv::VatPeriod period() {
    const std::vector<mv::VatPeriod> periods = mv::vatPeriods();
    const int i = tk::selectedIndex(periodList);
    return i >= 1 && i <= int(periods.size()) ? periods[size_t(i - 1)] : periods.front();
}

// Beside the VAT report, and beside a period's return shown in its place.
void reportShown(mv::Report report) {
    if (report != mv::Report::Vat) return;
    tk::clearList(periodList);
    for (const mv::VatPeriod& p : mv::vatPeriods())
        tk::setItem(periodList, tk::itemCount(periodList) + 1,
                    mv::periodLabel(p, shell::paths().year));
    tk::setItem(periodList, 0, tk::item(periodList, chosen));
    for (int h : {periodList, showButton, saveButton}) {
        tk::showControl(h);
        tk::enableControl(h);
    }
}

void showPeriod() {
    if (!tk::isVisible(showButton)) return;
    chosen = std::max(1, tk::selectedIndex(periodList));
    const mv::PathTable& paths = shell::paths();
    const mv::VatYear year = mv::readVatYear(paths, mv::yearRecord().settings);
    if (!year.ok) {
        shell::showMessage(year.message);
        return;
    }
    const mv::VatPeriod p = period();
    const QString text = mv::vatReturnText(mv::vatReturn(year, p), mv::periodLabel(p, paths.year));
    const QString workFile = mv::reportWorkFile(paths, mv::Report::Vat);
    reports::showReport(mv::Report::Vat, 1100, [text, workFile](const mv::PathTable&) {
        return mv::writeWorkFile(workFile, text);
    });
}

void save() {
    if (!tk::isVisible(saveButton)) return;
    chosen = std::max(1, tk::selectedIndex(periodList));
    shell::progressBar();
    const mv::FileOffer offer = mv::vatFileOffer(shell::paths(), mv::yearRecord().settings,
                                                 mv::yearRecord().company, period());
    interchangeui::saveOfferedFile(offer, u("Spara momsfil"),
                                   u("Momsfiler (*.eskd *.xml);;Alla filer (*.*)"));
}

void command(int cmd) {
    if (cmd == cmdShow)
        showPeriod();
    else if (cmd == cmdSave)
        save();
}

} // namespace

const interchangeui::VatFileControls& interchangeui::vatFileControls() {
    static VatFileControls c;
    c = {periodList, showButton, saveButton};
    return c;
}

namespace shell {
PageDefinition vatFilePage() {
    PageDefinition p;
    p.id = PageId::Reports; // its controls stand on the reports page, beside the VAT report
    p.name = "vat file";
    p.createControls = [](int window) {
        create(window);
        reports::setReportShownHook(reportShown);
    };
    p.reset = [](int) { hideAll(); };
    p.command = command;
    p.commands = {{cmdShow, cmdSave, true}};
    return p;
}
} // namespace shell
