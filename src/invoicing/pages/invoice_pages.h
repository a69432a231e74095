#pragma once
// What the two invoice pages share: the list page "FAKTURA mm" (invoice
// list, invoice viewer, the kind buttons) and the form page "FAKTURA SKAPA".
// Both show the side panels "Navigera", "Faktura Lyx" and "Editera Lyx"; the
// form page also "Skapa Faktura". Implemented in invoice_list_page.cpp and
// invoice_form_page.cpp.
#include "invoicing/invoice_draft.h"
#include "shell/program_state.h"

#include <QString>

#include <array>
#include <initializer_list>
#include <optional>

namespace invoiceui {

// Command identifiers of the invoice pages.
namespace cmd {
inline constexpr int open = 1001, standard = 1002, change = 1003, back = 1004, save = 1005,
                     clear = 1006, fetchCustomer = 1007, reverseCharge = 1062, paymentOrder = 9994,
                     houseWork = 9995, mail = 9996, html = 9997, text = 9998, notReady = 9999,
                     redrawTemplate = 1300, fetchTemplate = 1301, pdf = 1302, wholeKronor = 2000;
}

// The buttons of the side panels.
struct SideControls {
    int standard = 0, reverseCharge = 0, houseWork = 0, paymentOrder = 0;
    std::array<int, 2> notReady{};
    int change = 0, back = 0;
    int save = 0, clear = 0, fetchCustomer = 0, wholeKronor = 0; // "Skapa Faktura"
    int text = 0, html = 0, mail = 0, pdf = 0;                   // "Faktura Lyx"
    int redrawTemplate = 0, fetchTemplate = 0;                   // "Editera Lyx"
    int list = 0, viewer = 0;                                    // the list page
};
const SideControls& sideControls();

// The fields of the form page.
struct RowControls {
    int sort = 0, quantity = 0, price = 0, amount = 0;
};
struct FormControls {
    int date = 0, number = 0;
    int name = 0, street = 0, postcode = 0, town = 0, phone = 0, mail = 0, vatNumber = 0;
    int customerList = 0, articleList = 0;
    std::array<int, mv::invoiceHeaderCount> header{};
    std::array<RowControls, mv::invoiceRowCount> rows{};
    int deduction = 0, total = 0, vatPercent = 0, vat = 0, toPay = 0;
    // House work only: what Skatteverket's claim needs.
    int buyer = 0, workType = 0, hours = 0, property = 0, cooperative = 0, apartment = 0;
};
const FormControls& formControls();

// The invoice saved last in this visit of the invoice pages: "Ändra" may
// rewrite it until another invoice is viewed or started, or another page opens.
struct SavedInvoice {
    mv::InvoiceDraft draft;
    QString entry; // the customer's document ("14001", "14005_BU")
};
std::optional<SavedInvoice>& savedInvoice();

// The whole-kronor state: preset from the settings whenever they are read
// or saved, toggled by "Hela kronor"; it lasts from one invoice to the next.
bool wholeKronorOn();
void setWholeKronor(bool on);

// The page opening of both invoice pages: as shell::openPage, keeping the
// invoice saved last (any other page opening forgets it).
void openInvoicePage(shell::PageId page, int ownButton);

// Opens the list page showing `entry` in the viewer ("" the empty page).
void openListPage(const QString& entry);
// Opens the form page with the draft; change: "Ändra" of the saved invoice.
void openFormPage(const mv::InvoiceDraft& draft, bool change);

// Side panels and their buttons as the page shows them.
void showSidePanels(bool formPage);
void paintSidePanels(int window, bool formPage);

// The start of a painter of the invoicing tool pages: the page, the tools
// panel, the heading and the help mark.
void beginToolPage(int window, const QString& heading);
// Labels of one row of fields: (x, text) pairs at y in the body font.
struct Label {
    int x;
    const char* text;
};
void drawLabels(int window, int y, std::initializer_list<Label> labels);

} // namespace invoiceui
