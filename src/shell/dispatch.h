#pragma once
// The command dispatch of the main window: every command identifier the
// buttons and fields send, whether it is guarded by the integrity check, and
// the routing to the page that handles it.
#include <QString>

#include <vector>

namespace shell {

struct DispatchRow {
    int first;
    int last;
    bool guarded;
    const char* origin; // the button (or key) that sends it
};

// Every row of the dispatch table, in command order.
const std::vector<DispatchRow>& dispatchTable();

// The row holding the command, or nullptr. The command is compared whole: a
// value with anything in its high half matches no row.
const DispatchRow* findDispatchRow(int command);

// Runs one command: the field keys 9, 13 and 40 go to the key handler of
// every shown page; any other command runs the guard when its row (or the
// page's route) is guarded and then the handler of the page that claims it.
// A command that no row and no page names does nothing.
void dispatch(int command);

// The integrity check the guard calls; returns the check's sum (0 = nothing
// found or bypassed by the abort key). Tests may put their own in place;
// an empty function restores the real one.
int runIntegrityCheck();
void setIntegrityCheckForTests(int (*check)());

} // namespace shell
