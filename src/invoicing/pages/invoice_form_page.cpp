// The invoice form ("FAKTURA SKAPA"), prepared by a kind button or "Ändra":
// the customer block with its picker ("Hämta"), six header lines,
// thirteen article rows with the article picker, the house-work deduction,
// VAT and the amount to pay, recomputed on Enter or Tab. "Spara" (1005),
// "Rensa" (1006), "Hämta" (1007), "Hela kronor" (2000).
#include "invoicing/article_register.h"
#include "invoicing/customer_register.h"
#include "invoicing/invoice_figures.h"
#include "invoicing/invoice_save.h"
#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/change_set.h"
#include "toolkit/toolkit.h"

#include <vector>

namespace invoiceui {

namespace {

using shell::PageId;

FormControls f;
mv::InvoiceKind kind = mv::InvoiceKind::Standard;
bool changing = false; // "Ändra" of the invoice saved last
int currentRow = 0;    // the row an article pick fills

QString u(const char* s) {
    return QString::fromUtf8(s);
}

constexpr int rowY(int i) {
    return 264 + 20 * i;
}
constexpr int headerY(int i) {
    return 85 + 18 * i;
}
constexpr int customerY(int i) {
    return 106 + 19 * i;
}

int field(int window, int x, int y, int w, const char* align, int max,
          shell::Font font = shell::Font::Field) {
    const int h = tk::createField(window, x, y, w, 19, u(align), max);
    tk::setFont(h, shell::font(font));
    return h;
}

std::vector<int> allControls() {
    std::vector<int> all = {f.date,      f.number,       f.name,        f.street,
                            f.postcode,  f.town,         f.phone,       f.mail,
                            f.vatNumber, f.customerList, f.articleList, f.deduction,
                            f.total,     f.vatPercent,   f.vat,         f.toPay};
    for (int h : {f.buyer, f.workType, f.hours, f.property, f.cooperative, f.apartment})
        all.push_back(h);
    for (int h : f.header)
        all.push_back(h);
    for (const RowControls& r : f.rows)
        for (int h : {r.sort, r.quantity, r.price, r.amount})
            all.push_back(h);
    return all;
}

void create(int window) {
    f.date = field(window, 530, 85, 85, "R", 10);
    f.number = field(window, 680, 85, 70, "R", 10);
    const std::array<int*, 7> customer = {&f.name,  &f.street, &f.postcode, &f.town,
                                          &f.phone, &f.mail,   &f.vatNumber};
    const int widths[] = {21, 21, 21, 21, 40, 40, 20};
    for (int i = 0; i < 7; ++i)
        *customer[size_t(i)] = field(window, 530, customerY(i), 255, "L", widths[i]);
    f.customerList = tk::createList(window, 530, customerY(0), 255, 300, u("READDROPSORT"));
    for (int i = 0; i < mv::invoiceHeaderCount; ++i)
        f.header[size_t(i)] = field(window, 180, headerY(i), 265, "L", 45, shell::Font::SmallField);
    f.articleList = tk::createList(window, 180, 216, 265, 300, u("READDROP"));
    tk::setFont(f.articleList, shell::font(shell::Font::SmallListing));
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        RowControls& r = f.rows[size_t(i)];
        r.sort = field(window, 180, rowY(i), 295, "L", 30);
        r.quantity = field(window, 480, rowY(i), 55, "R", 7);
        r.price = field(window, 540, rowY(i), 95, "R", 200);
        r.amount = field(window, 640, rowY(i), 100, "R", 200);
        tk::setReadOnly(r.amount, u("OFF"));
    }
    f.deduction = field(window, 225, 530, 40, "R", 10);
    f.vatPercent = field(window, 360, 530, 30, "R", 200);
    f.vat = field(window, 435, 530, 95, "R", 200);
    f.total = field(window, 640, 530, 100, "R", 200);
    f.toPay = field(window, 640, 553, 100, "R", 200);
    // A house-work invoice has the buyer and the work where the others have
    // the article picker, and the property below the rows.
    f.buyer = field(window, 180, 216, 100, "L", 13, shell::Font::SmallField);
    f.workType = tk::createList(window, 285, 216, 130, 300, u("READDROP"));
    tk::setFont(f.workType, shell::font(shell::Font::SmallListing));
    for (const mv::WorkType& w : mv::houseWorkTypes())
        tk::setItem(f.workType, tk::itemCount(f.workType) + 1, u(w.label));
    f.hours = field(window, 420, 216, 25, "R", 4, shell::Font::SmallField);
    f.property = field(window, 235, 553, 120, "L", 40, shell::Font::SmallField);
    f.cooperative = field(window, 385, 553, 80, "L", 11, shell::Font::SmallField);
    f.apartment = field(window, 495, 553, 50, "L", 16, shell::Font::SmallField);
    for (int h : {f.number, f.total, f.vat, f.toPay})
        tk::setReadOnly(h, u("OFF"));
    for (int h : allControls())
        tk::hideControl(h);
}

void reset(int) {
    for (int h : allControls())
        tk::hideControl(h);
}

bool houseWork() {
    return kind == mv::InvoiceKind::HouseWork;
}

// Rows 11 and 12 of a house-work invoice describe the deduction.
bool rowLocked(int i) {
    return houseWork() && (i == 10 || i == 11);
}
bool sortLocked(int i) {
    return rowLocked(i) || (houseWork() && i == 0);
}

// The Enter order: the customer, then each row's sort text, quantity, unit
// price and amount, then the deduction, the VAT percent and the amount to pay.
std::vector<int> enterOrder() {
    std::vector<int> order = {f.name, f.street, f.postcode, f.town, f.phone, f.mail, f.vatNumber};
    if (houseWork())
        for (int h : {f.buyer, f.workType, f.hours})
            order.push_back(h);
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        if (rowLocked(i)) continue;
        const RowControls& r = f.rows[size_t(i)];
        if (!sortLocked(i)) order.push_back(r.sort);
        for (int h : {r.quantity, r.price, r.amount})
            order.push_back(h);
    }
    if (houseWork())
        for (int h : {f.deduction, f.property, f.cooperative, f.apartment})
            order.push_back(h);
    if (kind != mv::InvoiceKind::ReverseCharge) order.push_back(f.vatPercent);
    order.push_back(f.toPay);
    return order;
}

mv::InvoiceDraft readDraft() {
    mv::InvoiceDraft d;
    d.kind = kind;
    d.date = tk::text(f.date);
    d.number = tk::text(f.number);
    d.name = tk::text(f.name);
    d.street = tk::text(f.street);
    d.postcode = tk::text(f.postcode);
    d.town = tk::text(f.town);
    d.phone = tk::text(f.phone);
    d.mail = tk::text(f.mail);
    d.vatNumber = tk::text(f.vatNumber);
    for (int i = 0; i < mv::invoiceHeaderCount; ++i)
        d.header[size_t(i)] = tk::text(f.header[size_t(i)]);
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        const RowControls& r = f.rows[size_t(i)];
        d.rows[size_t(i)] = {tk::text(r.sort), tk::text(r.quantity), tk::text(r.price)};
    }
    d.deductionPercent = tk::text(f.deduction);
    if (houseWork())
        d.houseWork = {tk::text(f.buyer),    tk::item(f.workType, 0), tk::text(f.hours),
                       tk::text(f.property), tk::text(f.cooperative), tk::text(f.apartment)};
    d.vatPercent = tk::text(f.vatPercent);
    d.wholeKronor = wholeKronorOn();
    return d;
}

void showFigures() {
    const mv::InvoiceFigures fig = mv::computeFigures(readDraft());
    for (int i = 0; i < mv::invoiceRowCount; ++i)
        tk::setText(f.rows[size_t(i)].amount, fig.rowText(i));
    tk::setText(f.total, fig.total.toText());
    tk::setText(f.vat, fig.vat.toText());
    tk::setText(f.toPay, fig.toPay.toText());
}

void showDraft(const mv::InvoiceDraft& d) {
    tk::setText(f.date, d.date);
    tk::setText(f.number, d.number);
    const std::array<std::pair<int, const QString*>, 7> customer = {{{f.name, &d.name},
                                                                     {f.street, &d.street},
                                                                     {f.postcode, &d.postcode},
                                                                     {f.town, &d.town},
                                                                     {f.phone, &d.phone},
                                                                     {f.mail, &d.mail},
                                                                     {f.vatNumber, &d.vatNumber}}};
    for (const auto& [h, text] : customer)
        tk::setText(h, *text);
    for (int i = 0; i < mv::invoiceHeaderCount; ++i)
        tk::setText(f.header[size_t(i)], d.header[size_t(i)]);
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        const RowControls& r = f.rows[size_t(i)];
        tk::setText(r.sort, d.rows[size_t(i)].sort);
        tk::setText(r.quantity, d.rows[size_t(i)].quantity);
        tk::setText(r.price, d.rows[size_t(i)].unitPrice);
    }
    tk::setText(f.deduction, d.deductionPercent);
    tk::setText(f.buyer, d.houseWork.buyer);
    tk::setItem(f.workType, 0, d.houseWork.workType);
    tk::setText(f.hours, d.houseWork.hours);
    tk::setText(f.property, d.houseWork.property);
    tk::setText(f.cooperative, d.houseWork.cooperative);
    tk::setText(f.apartment, d.houseWork.apartment);
    tk::setText(f.vatPercent, d.vatPercent);
    showFigures();
}

void setEditable(int h, bool editable) {
    tk::setReadOnly(h, editable && !shell::state().isLocked() ? u("ON") : u("OFF"));
}

// What each kind lets the user type.
void applyKind() {
    for (int i = 0; i < mv::invoiceHeaderCount; ++i)
        setEditable(f.header[size_t(i)],
                    kind == mv::InvoiceKind::PaymentOrder ? false : !(houseWork() && i < 3));
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        const RowControls& r = f.rows[size_t(i)];
        setEditable(r.sort, !sortLocked(i));
        setEditable(r.quantity, !rowLocked(i));
        setEditable(r.price, !rowLocked(i));
    }
    setEditable(f.vatPercent, kind != mv::InvoiceKind::ReverseCharge);
    for (int h :
         {f.deduction, f.buyer, f.workType, f.hours, f.property, f.cooperative, f.apartment}) {
        houseWork() ? tk::showControl(h) : tk::hideControl(h);
        shell::state().isLocked() ? tk::disableControl(h) : tk::enableControl(h);
    }
    houseWork() ? tk::hideControl(f.articleList) : tk::showControl(f.articleList);
}

void fillArticlePicker() {
    tk::clearList(f.articleList);
    tk::setItem(f.articleList, 1, u("   "));
    for (const QString& record : mv::articleRecords(mv::storedText(shell::paths().articleRegister)))
        tk::setItem(f.articleList, 10000, record);
    tk::setItem(f.articleList, 0, u("   "));
}

void closeCustomerPicker() {
    tk::hideControl(f.customerList);
    tk::showControl(f.name);
}

// A chosen customer fills the customer block.
bool takeCustomerPick() {
    if (!tk::isVisible(f.customerList)) return false;
    const int i = tk::selectedIndex(f.customerList);
    if (i <= 0 || !tk::text(f.name).isEmpty()) return false;
    const QString name = tk::item(f.customerList, i);
    closeCustomerPicker();
    if (!name.isEmpty()) {
        const mv::Customer c = mv::readCustomer(shell::paths(), name);
        for (const auto& [h, value] :
             std::array<std::pair<int, QString>, 7>{{{f.name, c.name},
                                                     {f.street, c.street},
                                                     {f.postcode, c.postcode},
                                                     {f.town, c.town},
                                                     {f.phone, c.phone},
                                                     {f.mail, c.mail},
                                                     {f.vatNumber, c.vatNumber}}})
            tk::setText(h, value);
    }
    tk::setFocus(f.name);
    return true;
}

// A chosen article fills the current row (or, when that row is fixed, the
// first row that can take it).
bool takeArticlePick() {
    const int i = tk::selectedIndex(f.articleList);
    if (i <= 1) return false;
    const mv::ArticlePick a = mv::articleOfRecord(tk::item(f.articleList, i));
    tk::setItem(f.articleList, 0, u("   "));
    int row = currentRow;
    if (sortLocked(row))
        for (row = 0; row < mv::invoiceRowCount && sortLocked(row); ++row) {
        }
    if (row >= mv::invoiceRowCount) return false;
    const RowControls& r = f.rows[size_t(row)];
    tk::setText(r.sort, a.sort);
    tk::setText(r.quantity, a.quantity);
    tk::setText(r.price, a.price);
    showFigures();
    tk::setFocus(r.quantity);
    return true;
}

int rowOf(int control) {
    for (int i = 0; i < mv::invoiceRowCount; ++i) {
        const RowControls& r = f.rows[size_t(i)];
        if (control == r.sort || control == r.quantity || control == r.price || control == r.amount)
            return i;
    }
    return -1;
}

bool isAmountField(int control) {
    for (const RowControls& r : f.rows)
        if (control == r.quantity || control == r.price) return true;
    return control == f.deduction;
}

// The control of a house-work detail a refusal points at.
int houseWorkControl(mv::HouseWorkField field) {
    switch (field) {
    case mv::HouseWorkField::Buyer:
        return f.buyer;
    case mv::HouseWorkField::WorkType:
        return f.workType;
    case mv::HouseWorkField::Hours:
        return f.hours;
    case mv::HouseWorkField::Property:
        return f.property;
    case mv::HouseWorkField::Cooperative:
        return f.cooperative;
    case mv::HouseWorkField::Apartment:
        return f.apartment;
    case mv::HouseWorkField::None:
        break;
    }
    return 0;
}

void focusRefused(mv::InvoiceField field, int row, mv::HouseWorkField houseWorkField) {
    int h = 0;
    switch (field) {
    case mv::InvoiceField::Date:
        h = f.date;
        break;
    case mv::InvoiceField::Name:
        h = f.name;
        break;
    case mv::InvoiceField::Quantity:
        h = f.rows[size_t(std::max(0, row))].quantity;
        break;
    case mv::InvoiceField::UnitPrice:
        h = f.rows[size_t(std::max(0, row))].price;
        break;
    case mv::InvoiceField::Deduction:
        h = f.deduction;
        break;
    case mv::InvoiceField::VatPercent:
        h = f.vatPercent;
        break;
    case mv::InvoiceField::HouseWork:
        h = houseWorkControl(houseWorkField);
        break;
    default:
        break;
    }
    if (h) tk::setFocus(h);
}

void save() {
    if (shell::state().isLocked()) return;
    if (!takeCustomerPick()) closeCustomerPicker();
    shell::progressBar();
    const mv::InvoiceDraft d = readDraft();
    const mv::InvoiceSave s = mv::saveInvoice(shell::paths(), d, changing, shell::showMessage);
    if (!s.saved) {
        focusRefused(s.field, s.row, s.houseWorkField);
        return;
    }
    savedInvoice() = SavedInvoice{d, s.shownEntry};
    openListPage(s.shownEntry);
}

void fetchCustomer() {
    tk::setText(f.name, QString());
    tk::clearList(f.customerList);
    tk::fillListFromFile(f.customerList, -1, shell::paths().customerList);
    tk::hideControl(f.name);
    tk::showControl(f.customerList);
    tk::setFocus(f.customerList);
}

void command(int command) {
    if (shell::state().pageState(PageId::InvoiceVariants) <= 0) return;
    if (command == cmd::save) {
        save();
    } else if (command == cmd::clear) {
        showDraft(mv::clearedDraft(readDraft()));
        closeCustomerPicker();
        tk::setFocus(f.name);
    } else if (command == cmd::fetchCustomer) {
        fetchCustomer();
    } else if (command == cmd::wholeKronor) {
        setWholeKronor(tk::isChecked(sideControls().wholeKronor));
        showFigures();
    }
}

void key(int command) {
    if (shell::state().pageState(PageId::InvoiceVariants) <= 0) return;
    const int focused = tk::focusedControl();
    // Down in the name opens the customer picker, in a sort text the article picker.
    if (command == 40 && focused == f.name && !tk::isReadOnly(f.name)) fetchCustomer();
    if (command == 40 && !houseWork() && rowOf(focused) >= 0 &&
        focused == f.rows[size_t(rowOf(focused))].sort) {
        currentRow = rowOf(focused);
        tk::setFocus(f.articleList);
    }
    if (command != 9 && command != 13) return;
    tk::setAdvanceFlag(false);
    tk::enableControl(sideControls().fetchCustomer);
    if (takeCustomerPick()) return;
    if (isAmountField(focused) && !tk::isReadOnly(focused)) {
        const QString normal = mv::normalizedAmountField(tk::text(focused).trimmed());
        if (!mv::typedNumber(normal)) {
            shell::showMessage(
                mv::imsg::badAmount(focused == f.deduction ? u("Avdrag") : u("Ant / Á pris")));
            tk::setFocus(focused);
            return;
        }
        tk::setText(focused, normal);
    }
    showFigures();
    const std::vector<int> order = enterOrder();
    const auto at = std::find(order.begin(), order.end(), focused);
    if (at == order.end()) return;
    const int next = (at + 1 == order.end()) ? order.front() : *(at + 1);
    if (rowOf(next) >= 0) currentRow = rowOf(next);
    tk::setFocus(next);
}

void edited() {
    if (shell::state().pageState(PageId::InvoiceVariants) <= 0) return;
    if (takeCustomerPick() || takeArticlePick()) return;
    const int row = rowOf(tk::focusedControl());
    if (row >= 0) currentRow = row;
}

QString kindName() {
    switch (kind) {
    case mv::InvoiceKind::Standard:
        return u("Standard");
    case mv::InvoiceKind::ReverseCharge:
        return u("Omvänd moms");
    case mv::InvoiceKind::HouseWork:
        return u("Husavdrag");
    case mv::InvoiceKind::PaymentOrder:
        return u("Betal.uppdrag");
    }
    return QString();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    shell::beginPage(window);
    paintSidePanels(window, true);
    shell::darkFrame(window, 172, 53, 793, 583, u("FAKTURA SKAPA"));
    shell::drawText(window, 350, 57, kindName() + (changing ? u("  (ändras)") : QString()),
                    shell::white, shell::Font::Body);
    shell::helpMark(window, 780, 60);
    shell::fillRect(window, 175, 80, 790, 580, shell::rgb(200, 230, 255));
    const int l = shell::labelColour;
    const auto body = shell::Font::Body;
    shell::drawText(window, 455, 86, u("Datum"), l, body);
    shell::drawText(window, 655, 86, u("Nr"), l, body);
    const char* labels[] = {"Namn", "Gata / Box", "Postnummer", "Ort",
                            "Tel:", "Mail:",      "Momsreg.nr"};
    for (int i = 0; i < 7; ++i)
        shell::drawText(window, 455, customerY(i) + 1, u(labels[i]), l, body);
    if (houseWork()) {
        shell::drawText(window, 180, 201, u("Köparens pnr"), l, shell::Font::Small);
        shell::drawText(window, 285, 201, u("Arbete"), l, shell::Font::Small);
        shell::drawText(window, 420, 201, u("Tim"), l, shell::Font::Small);
        shell::drawText(window, 180, 555, u("Fastighet"), l, shell::Font::Small);
        shell::drawText(window, 358, 555, u("Brf"), l, shell::Font::Small);
        shell::drawText(window, 468, 555, u("Lgh"), l, shell::Font::Small);
    } else {
        shell::drawText(window, 180, 199, u("Artikel ur artikelregistret:"), l, shell::Font::Small);
    }
    shell::drawText(window, 180, 246, u("Sort"), l, body);
    shell::drawText(window, 215, 246, u("(Max 30 tecken på varje rad)"), shell::greyText, body);
    shell::drawText(window, 485, 246, u("Ant"), l, body);
    shell::drawText(window, 545, 246, u("Á pris"), l, body);
    shell::drawText(window, 650, 246, u("Summa"), l, body);
    if (houseWork()) {
        shell::drawText(window, 180, 531, u("Avdrag"), l, body);
        shell::drawText(window, 268, 531, u("% ="), l, body);
    }
    shell::drawText(window, 300, 531, u("Moms i %"), l, body);
    shell::drawText(window, 400, 531, u("Moms"), l, body);
    shell::drawText(window, 590, 531, u("Totalt"), l, body);
    shell::drawText(window, 565, 554, u("Att betala"), l, body);
    if (shell::state().isLocked() && !houseWork())
        shell::drawText(window, 180, 555, u("Året är låst."), shell::rgb(200, 0, 0), body);
    shell::endPage(window, state);
}

} // namespace

const FormControls& formControls() {
    return f;
}

void openFormPage(const mv::InvoiceDraft& draft, bool change) {
    kind = draft.kind;
    changing = change;
    currentRow = 0;
    openInvoicePage(PageId::InvoiceVariants, 0);
    showSidePanels(true);
    for (int h : allControls())
        tk::showControl(h);
    tk::hideControl(f.customerList);
    applyKind();
    fillArticlePicker();
    showDraft(draft);
    tk::setFocus(f.name);
}

} // namespace invoiceui

namespace shell {
PageDefinition invoiceFormPage() {
    PageDefinition p;
    p.id = PageId::InvoiceVariants;
    p.name = "invoice form";
    p.createControls = invoiceui::create;
    p.reset = invoiceui::reset;
    p.paint = invoiceui::paint;
    p.command = invoiceui::command;
    p.key = invoiceui::key;
    p.edited = invoiceui::edited;
    p.commands = {{1005, 1008, false}, {2000, 2000, false}};
    return p;
}
} // namespace shell
