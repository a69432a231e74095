#include "shell/dispatch.h"

#include "shell/integrity_seam.h"
#include "shell/page.h"

namespace shell {

const std::vector<DispatchRow>& dispatchTable() {
    static const std::vector<DispatchRow> rows = {
        {9, 9, false, "Tab in an entry field"},
        {13, 13, false, "Enter in an entry field"},
        {40, 40, false, "Down arrow in an entry field"},
        {1001, 1001, true, "Faktura"},
        {1002, 1003, false, "invoice page buttons"},
        {1004, 1004, false, "Tillbaka (invoice form)"},
        {1005, 1006, false, "Spara, Rensa (invoice form)"},
        {1007, 1007, false, "Hämta (invoice form)"},
        {1008, 1008, false, "invoice form"},
        {1009, 1009, true, "Kassabok"},
        {1010, 1010, true, "Dagbok"},
        {1011, 1011, true, "Huvudbok"},
        {1012, 1012, true, "Balans"},
        {1013, 1013, true, "Resultat"},
        {1014, 1014, true, "Ägarinfo"},
        {1015, 1015, true, "Verktyg"},
        {1016, 1016, false, "SKAPA BOKFÖRINGSÅR"},
        {1017, 1017, false, "Skapa"},
        {1018, 1018, false, "Aktivera"},
        {1019, 1019, false, "FÖRETAGSUPPGIFTER"},
        {1020, 1020, false, "Spara (company details)"},
        {1021, 1021, false, "FAKTURATEXT"},
        {1022, 1022, false, "Spara (invoice text)"},
        {1023, 1023, false, "KUNDER ORDNA"},
        {1024, 1025, false, "Spara, Lista (customer page)"},
        {1027, 1029, false, "INVENTERING and its buttons"},
        {1030, 1030, true, "Kassa"},
        {1031, 1031, false, "Spara (transfer page)"},
        {1032, 1032, false, "BOKSLUTSUNDERLAG"},
        {1033, 1033, false, "SLUTFÖR ÅR"},
        {1034, 1034, false, "Skriv ut"},
        {1036, 1036, true, "Inkomst"},
        {1037, 1041, false, "income page buttons"},
        {1042, 1042, true, "Utgift"},
        {1043, 1046, false, "expense page buttons"},
        {1048, 1048, false, "day book page button"},
        {1049, 1054, false, "amount rows of the transfer page"},
        {1055, 1055, false, "VÄLJ BOKFÖRINGSÅR"},
        {1056, 1059, false, "Inventarier, Varulager, Kundfordr.., Lev.skulder"},
        {1060, 1060, false, "INSTÄLLNINGAR"},
        {1061, 1061, false, "Spara (settings)"},
        {1062, 1062, false, "invoice page button"},
        {1064, 1069, false, "SIE-FIL, ROT/RUT and their buttons, Läs SIE-fil"},
        {1080, 1080, false, "REG INGÅENDE BALANS"},
        {1081, 1081, false, "Spara (opening balance)"},
        {1082, 1084, false, "Välj, Slutför, Boka ut (closing page)"},
        {1090, 1090, false, "X"},
        {1091, 1091, false, "Sökväg (backup page)"},
        {1093, 1093, false, "Återställ, med kopia, automatiskt"},
        {1094, 1094, false, "day book page button"},
        {1095, 1095, false, "Återställ, med kopia, manuellt"},
        {1100, 1100, true, "Moms"},
        {1101, 1101, false, "year comparison"},
        {1103, 1104, false, "Visa period, Skapa momsfil (VAT report)"},
        {1200, 1201, false, "KOPIERING, Spara (backup page)"},
        {1202, 1203, false, "ARTIKELREGISTER and its button"},
        {1300, 1300, false, "Rita om Lyx"},
        {1301, 1301, false, "Hämta mall Lyx"},
        {1302, 1302, false, "Spara som PDF (invoice)"},
        {1400, 1400, false, "Radera (customer page)"},
        {1500, 1500, false, "Start"},
        {1501, 1501, false, "Donera numera"},
        {2000, 2000, false, "Hela kronor"},
        {9994, 9995, false, "invoice page buttons"},
        {9996, 9997, false, "Faktura Mail, Faktura Lyx"},
        {9998, 9998, false, "Faktura Text"},
        {9999, 9999, false, "( Används ej )"},
    };
    return rows;
}

const DispatchRow* findDispatchRow(int command) {
    for (const DispatchRow& row : dispatchTable())
        if (command >= row.first && command <= row.last) return &row;
    return nullptr;
}

namespace {

int (*testCheck)() = nullptr;

struct Route {
    const PageDefinition* page = nullptr;
    bool guarded = false;
};

Route findRoute(int command) {
    for (const PageDefinition& page : pages())
        for (const CommandRoute& r : page.commands)
            if (command >= r.first && command <= r.last) return {&page, r.guarded};
    return {};
}

bool isFieldKey(int command) {
    return command == 9 || command == 13 || command == 40;
}

} // namespace

void setIntegrityCheckForTests(int (*check)()) {
    testCheck = check;
}

int runIntegrityCheck() {
    if (testCheck) return testCheck();
    return integrityCheckSeam();
}

bool guardPasses() {
    const int result = runIntegrityCheck();
    ProgramState& s = state();
    if (result == 0) {
        s.abortKey = abortNone; // also consumes an Escape bypass
        return true;
    }
    // Unclean shut-down just reported and repaired, or changed files repaired
    // and the welcome page shown: the command is dropped.
    s.abortKey = abortNone;
    return false;
}

void dispatch(int command) {
    if (isFieldKey(command)) {
        for (const PageDefinition& page : pages())
            if (page.key && state().pageState(page.id) > 0) page.key(command);
        return;
    }
    const DispatchRow* row = findDispatchRow(command);
    const Route route = findRoute(command);
    if (!row && !route.page) return;
    const bool guarded = (row && row->guarded) || route.guarded;
    if (guarded && !guardPasses()) return;
    if (route.page && route.page->command) route.page->command(command);
}

} // namespace shell
