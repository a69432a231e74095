#pragma once
// The process-wide program state every page reads: the selected year and its
// path table, the lock state, the first-start progress, the abort key, the
// window title and one page state per page. One instance, made at start-up.
#include "store/store_layout.h"

#include <QString>

#include <array>

namespace shell {

// The pages in the order their painters are called. The number of a page is
// its painter's position; a page's state lives at that index.
enum class PageId : int {
    Welcome = 0,        // start page
    Income,             // income entry
    Expense,            // expense entry
    Transfer,           // "Kassa": transfer between money accounts / cash step
    Invoice,            // invoice entry
    InvoiceVariants,    // invoice variants (house-work deduction and others)
    Reports,            // day book, ledger, cash book, balance, result, VAT, owner info
    Tools,              // "VERKTYG"
    Company,            // "FÖRETAGSUPPGIFTER"
    SelectYear,         // "VÄLJ BOKFÖRINGSÅR"
    CreateYear,         // "SKAPA BOKFÖRINGSÅR"
    InvoiceText,        // "FAKTURATEXT"
    Customers,          // "KUNDER ORDNA"
    Settings,           // "INSTÄLLNINGAR"
    Articles,           // article register
    Backup,             // "KOPIERING"
    OpeningBalance,     // opening balance registration
    StockCount,         // "INVENTERING"
    YearEndAssets,      // year-end list: fixed assets
    YearEndStock,       // year-end list: stock
    YearEndReceivables, // year-end list: receivables
    YearEndPayables,    // year-end list: payables
    YearEndClosing,     // "SLUTFÖR ÅR"
    SieFile,            // "SIE-FIL"
    ClaimFile,          // "ROT/RUT-FIL"
};
inline constexpr int pageCount = 25;
inline constexpr int pageIndex(PageId id) { return static_cast<int>(id); }

// Page states: 0 not shown, 3 requested (set by the command that opens the
// page), 1 drawn (set by the painter). 2 and 4 are free for variants of
// "shown" that a page needs.
inline constexpr int pageHidden = 0;
inline constexpr int pageDrawn = 1;
inline constexpr int pageRequested = 3;

// Abort key values.
inline constexpr int abortNone = 0;
inline constexpr int abortUncleanShutdown = 1; // set by the integrity check
inline constexpr int abortEscape = 27;         // Escape on the welcome page

struct ProgramState {
    QString version = QStringLiteral("140105");
    QString selectedYear = QStringLiteral("0000"); // four characters
    // 0 done; 1 a year must be created; 2 it must be selected; 3 the company
    // details must be entered.
    int firstStartProgress = 0;
    // Result code of reading the year's lock mark whole: 0 = the year is
    // locked for editing, anything else = editable.
    int yearLocked = 2;
    QString windowTitle;
    int abortKey = abortNone;
    bool shutdownCheckDone = false;
    // Non-zero while an income, an expense or an imported cash amount waits
    // for its cash step: the top bar (and the "X" button) stay disabled.
    int cashStepWaiting = 0;
    // A page holds typed work that is not saved (the stock count's items).
    bool unsavedWork = false;
    mv::PathTable paths = mv::buildPathTable(QStringLiteral("0000"));
    std::array<int, pageCount> pageStates{};

    bool isLocked() const { return yearLocked == 0; }
    int& pageState(PageId id) { return pageStates[static_cast<size_t>(pageIndex(id))]; }
    int pageState(PageId id) const { return pageStates[static_cast<size_t>(pageIndex(id))]; }
    // The selected year as a number (0 for "0000" or anything unreadable).
    int yearNumber() const;
};

// The one instance.
ProgramState& state();

// Shorthand for the selected year's path table.
inline const mv::PathTable& paths() { return state().paths; }

// Window titles.
QString unlockedTitle(const QString& version, const QString& year);
QString lockedTitle(const QString& year);

// Makes `year` the selected year in memory: rebuilds the path table, reads
// the lock state and rebuilds the window title (and sets it on the main window
// when there is one) and the "SLUTFÖR ÅR" menu label. Does not write the year
// file; year activation does that first and then calls this.
void applySelectedYear(const QString& year);

// The selected year as read at start-up from drive_info/valdbokforingsar.kdb.
// A missing file gives "0000" with progress 1. A readable file gives its first
// four characters only when they are four digits beginning with "2"; any other
// content (empty, an unterminated line, letters) is treated as a first start:
// "0000" with progress 1, so no path ever starts at the root of the disk.
struct StartYear {
    QString year;
    int firstStartProgress;
};
StartYear readStartYear();

} // namespace shell
