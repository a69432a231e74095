#pragma once
// Names of every directory and file of the store, the path table of the
// selected year, and the account lists.
#include <QString>
#include <QStringList>

namespace mv {

// Program-wide files, relative to the working directory.
namespace drive {
inline const QString dir = QStringLiteral("drive_info");
inline const QString selectedYear = QStringLiteral("drive_info/valdbokforingsar.kdb");
inline const QString createdYears = QStringLiteral("drive_info/SkapadeAr.kdb");
inline const QString lastCreatedYear = QStringLiteral("drive_info/SistSkapadeAret.kdb");
inline const QString notes = QStringLiteral("drive_info/anteckningar.txt");
inline const QString stockScratch = QStringLiteral("drive_info/temp.kdb");
inline const QString invoicePicture = QStringLiteral("drive_info/faktura.png");
inline const QString invoiceHtml = QStringLiteral("faktura.html");
// Leftovers of program updates, deleted at exit when present.
QStringList updateLeftovers();
} // namespace drive

// The 23 year-end closing value names ("bokslut_" + name + ".kdb").
QStringList closingValueNames();

// The path table: the selected year followed by a fixed suffix per file. The
// members hold whole relative paths; the numbered and named families are
// functions. Nothing here touches the file system.
struct PathTable {
    QString year;

    // year directories
    QString yearDir, bokforingDir, fskDir, fakturorDir, foretagetDir, fritextDir, kontolistorDir,
        kunderDir, leverantorerDir;

    // verifications and books
    QString inVerifications, outVerifications, transferVerifications, verCounter, dayBook, cashBook,
        dayBookDate;
    // totals
    QString cash, rounding;
    // reports and closing
    QString closingBasis, ledgerReport, balanceReport, resultReport, ownerInfoReport;
    QString lockMark, stamp, shutdownMark;
    // invoices
    QString invoiceCounter, invoicesCreated, invoiceTemplate, articleRegister;
    // company
    QString company, settings, backupPaths, invoiceTexts;
    // free texts and registers
    QString incomeFreeTexts, expenseFreeTexts, incomeAccountList, expenseAccountList, customerList,
        supplierList;

    QString account(const QString& accountName) const;  // konto_<name>.kdb
    QString outputVat(int rate) const;                  // konto_moms_inkomst_<n>.kdb
    QString reverseVat(int rate) const;                 // konto_moms_omvand_<n>.kdb
    QString inputVat(int rate) const;                   // konto_moms_utgift_<n>.kdb
    QString moneyAccountName(int n) const;              // konto_fordkonto_<1..6>.kdb
    QString moneyAccountAmount(int n) const;            // konto_fordbelopp_<1..6>.kdb
    QString loanCarried(const QString& loanAccount) const; // konto_<loan>_fga_summa.kdb
    QString closing(const QString& name) const;         // bokslut_<name>.kdb
    QString secondCopy(const QString& fileName) const;  // bokforing/fsk/<file>
    QString invoice(const QString& invoiceName) const;  // fakturor/<name>.kdb
    QString customer(const QString& name) const;        // kunder/<name>.kdb
    QString supplier(const QString& name) const;        // leverantorer/<name>.kdb
};

PathTable buildPathTable(const QString& year);

// The account lists, in their fixed order (12 income, 16 expense names).
const QStringList& incomeAccounts();
const QStringList& expenseAccounts();
// Default names of the six money accounts.
const QStringList& defaultMoneyAccountNames();

// Rewrites both account lists of the year directory from the fixed tables.
// Returns the first failing code (2 when the year's kontolistor is missing).
int writeAccountLists(const QString& year);

// Creates the rounding account with "0.00" when it is missing.
int ensureRoundingAccount(const PathTable& paths);

// A year text is four digits, the first "2".
bool isYearText(const QString& text);

} // namespace mv
