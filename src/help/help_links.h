#pragma once
// Help marks and web links: what a left click on the page area opens.
//
// This subsystem owns
//  - the help areas: a 10 x 10 square at every page's "?" mark, each opening
//    one page of the manual while its screen is shown, and the general area
//    at 258, 110 that is active on every page;
//  - the links of the welcome page: the outside sites (kept in this one
//    table, and drawn from it) and the program's own pages about itself,
//    which are pages of the manual shipped with the program;
//  - the manual page that the invoice form's "Hämta mall Lyx" opens.
// A click hits an area when it lies strictly inside it on all four sides:
// left < x < left + width and top < y < top + height. Areas are not
// exclusive: every area that is hit and active opens its page, in table
// order (the help areas first, then the welcome links).
// Where the manual lies and how a page becomes an address: help/manual.h.
#include <QString>

#include <array>
#include <bitset>
#include <optional>
#include <vector>

namespace mv::help {

// What a page shows, as far as its help mark is concerned. Pages that show
// several things (the reports page, the invoice pages) are one screen per
// thing shown.
enum class Screen : int {
    Income = 0,
    Expense,
    Transfer,
    InvoiceEntry,
    InvoiceStandard,
    InvoiceReverseCharge,
    InvoiceHouseWork,
    Ledger,
    DayBook,
    CashBook,
    Balance,
    Result,
    Vat,
    OwnerInfo,
    Company,
    InvoiceText,
    Customers,
    Settings,
    Articles,
    Backup,
    OpeningBalance,
    SelectYear,
    CreateYear,
    ClosingBasis,
    StockCount,
    AssetList,
    StockList,
    ReceivablesList,
    PayablesList,
    YearEndClosing,
    SieFile,
    ClaimFile,
};
inline constexpr int screenCount = 32;

// The screens on show at the moment of a click.
class ShownScreens {
  public:
    ShownScreens() = default;
    ShownScreens(std::initializer_list<Screen> screens) {
        for (Screen s : screens)
            add(s);
    }
    void add(Screen s) { bits_.set(static_cast<size_t>(s)); }
    bool has(Screen s) const { return bits_.test(static_cast<size_t>(s)); }

  private:
    std::bitset<screenCount> bits_;
};

struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool contains(int x, int y) const {
        return left < x && x < left + width && top < y && y < top + height;
    }
};

// One help area: active while its screen is shown (always, for the general
// area, which has no screen). `page` is a manual page, "name.htm" or
// "name.htm#anchor".
struct HelpArea {
    std::optional<Screen> screen;
    Area area;
    const char* page;
};
const std::vector<HelpArea>& helpAreas();

// The general page, opened from 258, 110 on every page.
inline constexpr const char* generalPage = "behorighet.htm";
// The manual's start page.
inline constexpr const char* manualStartPage = "index.htm";
// How to make an invoice template ("Hämta mall Lyx", command 1301).
inline constexpr const char* invoiceTemplatePage = "fakturamall.htm";

// The welcome page's link frames: "Viktiga länkar" (outside sites, labels at
// x 20), "Support" (labels at x 593) and the manual-update text at the top.
enum class LinkFrame { Important, Support, Update };

// One link of the welcome page: its area (the label is drawn at the area's
// top left, the description lines 15 pixels apart below it, 5 further
// right), the label and description, and what it opens: an outside address
// (https://...) or, when `inManual`, a page of the manual.
struct WelcomeLink {
    LinkFrame frame;
    Area area;
    const char* label;
    std::array<const char*, 3> lines;
    const char* address;
    bool inManual;
};
const std::vector<WelcomeLink>& welcomeLinks();

// Something a click opens: a manual page (`inManual`) or an outside address.
struct Target {
    QString address;
    bool inManual = false;
    bool operator==(const Target&) const = default;
};

// What a left click at x, y opens: the hit help areas whose screen is shown
// (and the general area), then, while the welcome page is shown, the hit
// welcome links.
std::vector<Target> targetsAt(int x, int y, const ShownScreens& shown, bool welcomeShown);

// Every manual page that the program can open (help areas, local welcome
// links, the invoice template page and the start page), without the part
// after '#', each once, in table order.
std::vector<QString> manualPagesOpened();

} // namespace mv::help
