// The income page ("INKOMST", command 1036) and its buttons 1037-1041.
#include "booking/pages/entry_form_page.h"
#include "booking/pages/invoice_pick.h"

namespace {

const bookingui::EntrySetup& setup() { return bookingui::incomeSetup(); }

void create(int window) { bookingui::entryCreate(setup(), window); }
void reset(int) { bookingui::entryReset(setup()); }
void paint(int window, int& state) { bookingui::entryPaint(setup(), window, state); }
void command(int cmd) {
    // "Lista" beside the reference (1038) belongs to the invoice pick.
    if (cmd == 1038) bookingui::invoicePickOpen(bookingui::entryControls(mv::Side::Income).reference);
    else bookingui::entryCommand(setup(), cmd);
}
void key(int cmd) { bookingui::entryKey(setup(), cmd); }
void edited() { bookingui::entryEdited(setup()); }

} // namespace

namespace shell {
PageDefinition incomePage() {
    PageDefinition p;
    p.id = PageId::Income;
    p.name = "income";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.edited = edited;
    p.commands = {{1036, 1036, true}, {1037, 1041, false}};
    return p;
}
} // namespace shell
