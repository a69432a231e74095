// The expense page ("UTGIFT", command 1042) and its buttons 1043-1046.
#include "booking/pages/entry_form_page.h"

namespace {

const bookingui::EntrySetup& setup() { return bookingui::expenseSetup(); }

void create(int window) { bookingui::entryCreate(setup(), window); }
void reset(int) { bookingui::entryReset(setup()); }
void paint(int window, int& state) { bookingui::entryPaint(setup(), window, state); }
void command(int cmd) { bookingui::entryCommand(setup(), cmd); }
void key(int cmd) { bookingui::entryKey(setup(), cmd); }
void edited() { bookingui::entryEdited(setup()); }

} // namespace

namespace shell {
PageDefinition expensePage() {
    PageDefinition p;
    p.id = PageId::Expense;
    p.name = "expense";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.edited = edited;
    p.commands = {{1042, 1042, true}, {1043, 1046, false}};
    return p;
}
} // namespace shell
