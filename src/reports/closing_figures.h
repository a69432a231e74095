#pragma once
// The closing figures: the one computation of the year's closing values.
// Stock after the flat-rate write-down, fixed assets after write-off, sale and
// depreciation, the remaining loans, the VAT of the year and the VAT still
// owed, the balance items with equity, the result items and the year's
// result are worked out here and nowhere else. The closing-basis document,
// the balance, result, VAT and owner-information reports, the completion of
// the year and the files written for other programs all read this record.
//
// Every figure is whole öre. A derived figure (write-down, depreciation, a
// VAT base) is rounded once, half away from zero, and every sum is the sum of
// the rounded parts, so a printed sum always equals the sum of its printed
// lines.
#include "store/amount.h"
#include "store/settings.h"
#include "store/store_layout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace mv {

struct RateAmount {
    int rate = 0; // whole per cent, 1..49
    Amount amount;
    bool operator==(const RateAmount&) const = default;
};

struct NamedAmount {
    QString name;
    Amount amount;
    bool operator==(const NamedAmount&) const = default;
};

// The three kinds of loan, in the order the reports list them.
enum Loan : int { LoanBank = 0, LoanOwner = 1, LoanOther = 2 };
inline constexpr int loanKinds = 3;

// What the year's files hold, read leniently (a missing or empty file is
// 0.00), before anything is computed.
struct ClosingBooks {
    QString year;
    // The year is locked; the document then names the last verification.
    bool locked = false;
    QString verificationNumber; // _ver.kdb
    QString verificationDate;   // first line of _dat.kdb

    // Settings: stock write-down and depreciation, in hundredths of a per cent.
    std::int64_t stockWriteDownHundredths = 0;
    std::int64_t depreciationHundredths = 0;

    std::vector<NamedAmount> moneyAccounts; // the named ones (name longer than one character)
    Amount cash;                            // konto_kassa.kdb

    Amount receivablesNet, receivablesVat;              // of the year
    Amount payablesNet, payablesVat;                    // of the year
    Amount receivablesPrevious, payablesPrevious;       // carried in, net
    Amount receivablesPreviousVat, payablesPreviousVat; // carried in, their VAT

    Amount stockCounted;  // bokslut_inventering_varde.kdb
    Amount stockPrevious; // bokslut_fga_inventering_varde.kdb

    Amount assetsCarried;    // value carried from the previous year
    Amount assetsWrittenOff; // "Utgift, Inventarier Utbokat" (scrapped)
    Amount assetsBought;     // "Utgift, Inventarier (med avskr)"
    Amount assetsSold;       // "Inkomst, Inventarier"
    Amount assetsDirect;     // "Utgift, Inventarier" (written off when bought)

    std::array<Amount, loanKinds> loansTaken, loansCarried, loansRepaid;

    // Per rate, in increasing order, the rates whose file holds an entry.
    std::vector<RateAmount> outputVat, reverseVat, inputVat;
    // The VAT difference carried from the previous year and not yet booked
    // out (bokslut_fga_moms_skillnad.kdb): above zero a debt, below an asset.
    Amount vatCarried;

    Amount incomeWork, incomeGoods, incomeOther, incomeReverse, incomeVatFree, incomeInterest;
    Amount rounding; // konto_Oresutjamning.kdb
    Amount costGoods, costWork, costReverse, costOther, costVatFree, costInterest;
    Amount ownerSalary, ownerTax; // the owner's withdrawals
};

struct ClosingFigures {
    ClosingBooks books;

    // Receivables and payables of the year including VAT.
    Amount receivables, payables;

    // Stock: write-down of the counted value, stock of the year.
    Amount stockWriteDown, stock;

    // Fixed assets: before sale, remaining (never below zero), the year's
    // depreciation (a positive amount) and the value after it.
    Amount assetsBeforeSale, assetsRemaining, depreciation, fixedAssets;

    std::array<Amount, loanKinds> loans; // remaining per kind
    Amount borrowing;                    // their total

    // VAT. The sums per kind less the VAT of carried receivables and
    // payables, which was declared in the year they arose.
    Amount outputVatSum;   // output VAT at the rates - carried receivables' VAT
    Amount reverseVatSum;  // reverse-charge output VAT
    Amount inputVatSum;    // input VAT at the rates - carried payables' VAT
    Amount outputVatTotal; // outputVatSum + reverseVatSum
    Amount vatDifference;  // outputVatTotal - inputVatSum: the year's VAT to pay
    // What is owed at the year's end: the year's difference and the carried
    // difference not booked out. Above zero a debt, below zero an asset.
    Amount vatBalance;
    Amount vatDebt() const { return vatBalance > Amount() ? vatBalance : Amount(); }
    Amount vatAsset() const { return vatBalance < Amount() ? -vatBalance : Amount(); }

    // The bases of the VAT return: (100 / r) * VAT per rate.
    std::vector<RateAmount> outputBases, inputBases;
    Amount outputBaseTotal; // the sum of the sales bases
    Amount inputBaseTotal;
    // Box 05: the sales bases less the carried receivables (net), whose sale
    // was declared the year they arose, as their VAT was.
    Amount salesBase;

    // Balance.
    Amount totalAssets;      // cash + stock + fixed assets + receivables + VAT asset
    Amount equity;           // total assets - borrowing - payables - VAT debt
    Amount totalLiabilities; // equity + borrowing + payables + VAT debt

    // Result.
    Amount taxableIncome;      // R1
    Amount vatFreeIncome;      // R2: VAT-free income and rounding
    Amount interestIncome;     // R4
    Amount costs;              // R5
    Amount otherExternalCosts; // R6
    Amount interestCosts;      // R8
    Amount resultBeforeDepreciation;
    // R10 as the documents print it: minus (depreciation + scrapped assets).
    Amount depreciationAndWriteOff;
    Amount result; // R11, "Bokfört resultat": the year's result
};

// Reads what the closing needs from the year's files and the settings.
ClosingBooks readClosingBooks(const PathTable& paths, const Settings& settings);

// The computation; pure.
ClosingFigures computeClosingFigures(const ClosingBooks& books);

// Both: the figures of the year as it stands.
ClosingFigures closingFigures(const PathTable& paths, const Settings& settings);

// A percentage in hundredths as the documents print it: "3", "28.97", "2.5".
QString percentText(std::int64_t hundredths);

// The carried-in VAT of receivables and payables: what this year's output
// and input VAT is reduced by.
Amount carriedReceivablesVat(const PathTable& paths);
Amount carriedPayablesVat(const PathTable& paths);

} // namespace mv
