// The customer page ("MATA IN KUNDER", tools-menu button "KUNDER ORDNA",
// command 1023): "INMATNING" with the seven fields of a customer and "Lista"
// (1025) with its picker, "KONTROLL" with the record saved last, "Spara"
// (1024) and "Radera" (1400).
#include "invoicing/customer_register.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/change_set.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

std::array<int, mv::customerFieldCount> entry{};
std::array<int, mv::customerFieldCount> check{};
int picker = 0, listButton = 0, saveButton = 0, deleteButton = 0;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

const char* const labels[mv::customerFieldCount] = {"Namn", "Gata / Box", "Postnummer", "Ort",
                                                    "Tel:", "Mail:",      "Momsreg.nr"};
const int widths[mv::customerFieldCount] = {21, 21, 21, 21, 40, 40, 20};

int rowY(int i) {
    return 150 + 28 * i;
}

std::vector<int> controls() {
    std::vector<int> all(entry.begin(), entry.end());
    all.insert(all.end(), check.begin(), check.end());
    for (int h : {picker, listButton, saveButton, deleteButton})
        all.push_back(h);
    return all;
}

void hideAll() {
    for (int h : controls())
        tk::hideControl(h);
}

void create(int window) {
    for (int i = 0; i < mv::customerFieldCount; ++i) {
        entry[size_t(i)] = tk::createField(window, 330, rowY(i), 150, 20, u("L"), widths[i]);
        check[size_t(i)] = tk::createField(window, 610, rowY(i), 160, 20, u("L"), 0);
        tk::setFont(entry[size_t(i)], shell::font(shell::Font::Field));
        tk::setFont(check[size_t(i)], shell::font(shell::Font::Field));
        tk::setReadOnly(check[size_t(i)], u("OFF"));
    }
    picker = tk::createList(window, 330, rowY(0), 150, 300, u("READDROPSORT"));
    listButton =
        tk::createButton(window, 280, rowY(0), 45, 20, u("Lista"), u("C"), u("NORMAL"), 1025);
    saveButton = tk::createButton(window, 330, 420, 70, 28, u("Spara"), u("C"), u("NORMAL"), 1024);
    deleteButton =
        tk::createButton(window, 410, 420, 70, 28, u("Radera"), u("C"), u("NORMAL"), 1400);
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("MATA IN KUNDER"));
    shell::lightFrame(window, 195, 108, 490, 460, u("INMATNING"));
    shell::lightFrame(window, 500, 108, 785, 460, u("KONTROLL"));
    for (int i = 0; i < mv::customerFieldCount; ++i) {
        shell::drawText(window, 205, rowY(i) + 1, u(labels[i]), shell::labelColour,
                        shell::Font::Body);
        shell::drawText(window, 510, rowY(i) + 1, u(labels[i]), shell::labelColour,
                        shell::Font::Body);
    }
    shell::drawText(window, 205, 480,
                    u("Kunderna används av fakturorna och av inkomstsidan. Plats för ca "
                      "3000 kunder."),
                    shell::greyText, shell::Font::Hint);
    shell::endPage(window, state);
}

mv::Customer typed() {
    mv::Customer c;
    QString* values[] = {&c.name, &c.street, &c.postcode, &c.town, &c.phone, &c.mail, &c.vatNumber};
    for (int i = 0; i < mv::customerFieldCount; ++i)
        *values[i] = tk::text(entry[size_t(i)]);
    return c;
}

void showIn(const std::array<int, mv::customerFieldCount>& fields, const mv::Customer& c) {
    const QString* values[] = {&c.name,  &c.street, &c.postcode, &c.town,
                               &c.phone, &c.mail,   &c.vatNumber};
    for (int i = 0; i < mv::customerFieldCount; ++i)
        tk::setText(fields[size_t(i)], *values[i]);
}

void emptyEntry() {
    showIn(entry, mv::Customer());
}

void closePicker() {
    tk::hideControl(picker);
    tk::showControl(entry[0]);
}

// The pick: a chosen name while the name field is empty fills the fields.
bool takePick() {
    if (!tk::isVisible(picker)) return false;
    const int i = tk::selectedIndex(picker);
    if (i <= 0 || !tk::text(entry[0]).isEmpty()) return false;
    const QString name = tk::item(picker, i);
    closePicker();
    if (!name.isEmpty()) showIn(entry, mv::readCustomer(shell::paths(), name));
    tk::setFocus(entry[0]);
    return true;
}

void open() {
    shell::openPage(PageId::Customers, 1023);
    mv::recoverInterruptedBooking(shell::paths());
    for (int h : controls())
        tk::showControl(h);
    tk::hideControl(picker);
    const bool locked = shell::state().isLocked();
    for (int b : {saveButton, deleteButton})
        locked ? tk::disableControl(b) : tk::enableControl(b);
    tk::setFocus(entry[0]);
    if (mv::customerListMeasure(mv::storedText(shell::paths().customerList)) > 60000)
        shell::showMessage(mv::imsg::customerRegisterLarge());
}

void list() {
    for (int h : entry)
        tk::setText(h, QString());
    for (int h : check)
        tk::setText(h, QString());
    tk::clearList(picker);
    tk::fillListFromFile(picker, -1, shell::paths().customerList);
    tk::hideControl(entry[0]);
    tk::showControl(picker);
    tk::setFocus(picker);
    tk::dropDown(picker);
}

void save() {
    if (shell::state().isLocked()) return;
    takePick();
    const mv::Customer c = typed();
    if (!mv::saveCustomer(shell::paths(), c, shell::showMessage)) {
        tk::setFocus(entry[0]);
        return;
    }
    showIn(check, c);
    emptyEntry();
    tk::setFocus(entry[0]);
}

void remove() {
    if (shell::state().isLocked()) return;
    takePick();
    shell::progressBar();
    if (mv::deleteCustomer(shell::paths(), tk::text(entry[0]), shell::showMessage)) emptyEntry();
    tk::setFocus(entry[0]);
}

void command(int cmd) {
    if (cmd == 1023)
        open();
    else if (cmd == 1024)
        save();
    else if (cmd == 1025)
        list();
    else if (cmd == 1400)
        remove();
}

void key(int cmd) {
    if (shell::state().pageState(PageId::Customers) <= 0) return;
    if (cmd == 40 && tk::focusedControl() == entry[0]) {
        list();
        return;
    }
    if (cmd != 9 && cmd != 13) return;
    if (takePick()) return;
    for (size_t i = 0; i + 1 < entry.size(); ++i)
        tk::advanceFocus(entry[i], entry[i + 1]);
    tk::advanceFocus(entry.back(), saveButton);
}

void edited() {
    if (shell::state().pageState(PageId::Customers) > 0) takePick();
}

} // namespace

namespace shell {
PageDefinition customerPage() {
    PageDefinition p;
    p.id = PageId::Customers;
    p.name = "customers";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.edited = edited;
    p.commands = {{1023, 1025, false}, {1400, 1400, false}};
    return p;
}
} // namespace shell
