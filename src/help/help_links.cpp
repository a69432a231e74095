#include "help/help_links.h"

#include <algorithm>

namespace mv::help {

namespace {

constexpr int markSize = 10;
constexpr int linkWidth = 200;
constexpr int linkHeight = 20;

constexpr Area mark(int left, int top) {
    return {left, top, markSize, markSize};
}
constexpr Area link(int left, int top) {
    return {left, top, linkWidth, linkHeight};
}

QString withoutAnchor(const char* page) {
    const QString p = QString::fromUtf8(page);
    const qsizetype hash = p.indexOf(u'#');
    return hash < 0 ? p : p.left(hash);
}

} // namespace

const std::vector<HelpArea>& helpAreas() {
    using S = Screen;
    // The booking pages have their mark at 280, 60 in the heading of the
    // form's frame; every other page at 780, 60 at the end of the heading
    // line. The year-end closing page's mark sits at 780 like the others.
    static const std::vector<HelpArea> table = {
        {std::nullopt, mark(258, 110), generalPage},
        {S::Income, mark(280, 60), "inkomst.htm"},
        {S::Expense, mark(280, 60), "utgift.htm"},
        {S::Transfer, mark(280, 60), "kassa.htm"},
        {S::InvoiceEntry, mark(780, 60), "faktura_skapa.htm"},
        {S::InvoiceStandard, mark(780, 60), "faktura_skapa.htm#Skapa_en_faktura_Standard"},
        {S::InvoiceReverseCharge, mark(780, 60), "faktura_skapa.htm#Skapa_en_faktura_Omvänd_moms"},
        {S::InvoiceHouseWork, mark(780, 60), "faktura_skapa.htm#Skapa_en_faktura_Husavdrag"},
        {S::Ledger, mark(780, 60), "boker_huvudbok.htm"},
        {S::DayBook, mark(780, 60), "boker_dagbok.htm"},
        {S::CashBook, mark(780, 60), "boker_kassabok.htm"},
        {S::Balance, mark(780, 60), "rapporter_balans.htm"},
        {S::Result, mark(780, 60), "rapporter_resultat.htm"},
        {S::Vat, mark(780, 60), "rapporter_momsfil.htm"},
        {S::OwnerInfo, mark(780, 60), "info_agarinfo.htm"},
        {S::Company, mark(780, 60), "verktyg_foretagsuppgifter.htm"},
        {S::InvoiceText, mark(780, 60), "verktyg_fakturaverktyg.htm"},
        {S::Customers, mark(780, 60), "verktyg_mata_in_kunder.htm"},
        {S::Settings, mark(780, 60), "verktyg_installningar.htm"},
        {S::Articles, mark(780, 60), "verktyg_installningar.htm#Artikelregister"},
        {S::Backup, mark(780, 60), "verktyg_kopiering.htm"},
        {S::OpeningBalance, mark(780, 60), "verktyg_reg_ing_balans.htm"},
        {S::SelectYear, mark(780, 60), "verktyg_valj_bokforingsar.htm"},
        {S::CreateYear, mark(780, 60), "verktyg_skapa_bokforingsar.htm"},
        {S::ClosingBasis, mark(780, 60), "verktyg_bokslutsunderlag.htm"},
        {S::StockCount, mark(780, 60), "verktyg_inventering.htm"},
        {S::AssetList, mark(780, 60), "verktyg_inventarier.htm"},
        {S::StockList, mark(780, 60), "verktyg_varulager.htm"},
        {S::ReceivablesList, mark(780, 60), "verktyg_kundfordringar.htm"},
        {S::PayablesList, mark(780, 60), "verktyg_leverantorsskulder.htm"},
        {S::YearEndClosing, mark(780, 60), "verktyg_slutfor_ar_0000.htm"},
        {S::SieFile, mark(780, 60), "verktyg_sie_fil.htm"},
        {S::ClaimFile, mark(780, 60), "verktyg_rot_rut_fil.htm"},
    };
    return table;
}

const std::vector<WelcomeLink>& welcomeLinks() {
    using F = LinkFrame;
    // The one list of the outside sites the program points to.
    static const std::vector<WelcomeLink> table = {
        {F::Important,
         link(20, 180),
         "Verksamt.se",
         {"Myndigheternas portal", "för företagare.", nullptr},
         "https://www.verksamt.se/",
         false},
        {F::Important,
         link(20, 240),
         "Nyföretagarcentrum",
         {"Gratis rådgivning för", "nya företag.", nullptr},
         "https://www.nyforetagarcentrum.se/",
         false},
        {F::Important,
         link(20, 300),
         "Företagarna",
         {"Guider och verktyg", "för småföretagare.", nullptr},
         "https://www.foretagarna.se/",
         false},
        {F::Important,
         link(20, 360),
         "Bokföringsnämnden",
         {"Expertorgan med uppgift att", "utveckla god redovisningssed.", nullptr},
         "https://www.bfn.se/",
         false},
        {F::Important,
         link(20, 420),
         "Bolagsverket",
         {"Registrering av firma", "och firmanamn.", nullptr},
         "https://bolagsverket.se/",
         false},
        {F::Important,
         link(20, 480),
         "Almi",
         {"Rådgivning och lån", "för små företag.", nullptr},
         "https://www.almi.se/",
         false},
        {F::Important,
         link(20, 525),
         "BAS-kontoplanen",
         {"Kontonumren som", "huvudboken använder.", nullptr},
         "https://www.bas.se/",
         false},
        {F::Support,
         link(593, 180),
         "MerValla",
         {"Hemsidan för MerValla", nullptr, nullptr},
         "om_programmet.htm",
         true},
        {F::Support,
         link(593, 225),
         "MerValla Manual",
         {"Manualen för MerValla", nullptr, nullptr},
         manualStartPage,
         true},
        {F::Support,
         link(593, 270),
         "MerValla Forum",
         {"Forum för MerValla", "Här kan man diskutera sina", "problem"},
         "hjalp.htm",
         true},
        {F::Support,
         link(593, 345),
         "Skatteverket",
         {"Handhar alla skatteärenden", nullptr, nullptr},
         "https://www.skatteverket.se/",
         false},
        {F::Update,
         link(40, 82),
         "Manuell uppdarering",
         {nullptr, nullptr, nullptr},
         "uppdatering.htm",
         true},
    };
    return table;
}

std::vector<Target> targetsAt(int x, int y, const ShownScreens& shown, bool welcomeShown) {
    std::vector<Target> hits;
    for (const HelpArea& h : helpAreas()) {
        const bool active = !h.screen || shown.has(*h.screen);
        if (active && h.area.contains(x, y)) hits.push_back({QString::fromUtf8(h.page), true});
    }
    if (!welcomeShown) return hits;
    for (const WelcomeLink& l : welcomeLinks())
        if (l.area.contains(x, y)) hits.push_back({QString::fromUtf8(l.address), l.inManual});
    return hits;
}

std::vector<QString> manualPagesOpened() {
    std::vector<QString> pages;
    auto add = [&pages](const char* page) {
        const QString p = withoutAnchor(page);
        if (std::find(pages.begin(), pages.end(), p) == pages.end()) pages.push_back(p);
    };
    for (const HelpArea& h : helpAreas())
        add(h.page);
    for (const WelcomeLink& l : welcomeLinks())
        if (l.inManual) add(l.address);
    add(invoiceTemplatePage);
    add(manualStartPage);
    return pages;
}

} // namespace mv::help
