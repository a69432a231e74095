// The registered pages: one line per page, in any order (painting follows
// the page ids, not this list). Each line names a function in namespace
// shell that returns the page's PageDefinition; see docs/PAGES.md.
#include "shell/page.h"

namespace shell {

namespace {
std::vector<PageFactory>& factories() {
    static std::vector<PageFactory> list;
    return list;
}
} // namespace

bool registerPageFactory(PageFactory factory) {
    factories().push_back(factory);
    return true;
}

const std::vector<PageDefinition>& pages() {
    static const std::vector<PageDefinition> built = [] {
        std::vector<PageDefinition> list;
        for (PageFactory f : factories())
            list.push_back(f());
        return list;
    }();
    return built;
}

} // namespace shell

// ---- one line per page ----
MERVALLA_PAGE(welcomePage)
MERVALLA_PAGE(toolsPage)
MERVALLA_PAGE(backupPage)
MERVALLA_PAGE(reportsPage)
MERVALLA_PAGE(incomePage)
MERVALLA_PAGE(expensePage)
MERVALLA_PAGE(cashPage)
MERVALLA_PAGE(companyPage)
MERVALLA_PAGE(settingsPage)
MERVALLA_PAGE(createYearPage)
MERVALLA_PAGE(selectYearPage)
MERVALLA_PAGE(invoiceListPage)
MERVALLA_PAGE(invoiceFormPage)
MERVALLA_PAGE(invoiceTextPage)
MERVALLA_PAGE(customerPage)
MERVALLA_PAGE(articlePage)
MERVALLA_PAGE(stockCountPage)
MERVALLA_PAGE(helpLinksPage)
MERVALLA_PAGE(closingPage)
MERVALLA_PAGE(closingAssetsPage)
MERVALLA_PAGE(closingStockPage)
MERVALLA_PAGE(closingReceivablesPage)
MERVALLA_PAGE(closingPayablesPage)
MERVALLA_PAGE(openingBalancePage)
MERVALLA_PAGE(sieFilePage)
MERVALLA_PAGE(vatFilePage)
MERVALLA_PAGE(claimFilePage)
