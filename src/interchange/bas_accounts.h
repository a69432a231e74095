#pragma once
// The one table of BAS accounts the files for other programs use: every
// transaction type, the six money accounts, the VAT accounts per rate, the
// accounts of the year-end figures and of the year's result, each with its
// name, its kind (asset, debt, income, cost) and the SRU code of the box of
// Skatteverket's form NE it belongs to.
//
// The numbers are the general ledger's, box for box. Where the ledger and
// the closing basis place a type in different boxes, the closing basis (the
// document the owner files the accounts from) decides, and the row says why.
#include "booking/transaction_types.h"

#include <QString>

#include <vector>

namespace mv {

// SIE's kinds of account.
enum class AccountKind { Asset, Debt, Income, Cost };
// "T", "S", "I", "K".
QString accountKindCode(AccountKind kind);
// Balance accounts carry a balance into the next year; the rest are result
// accounts.
inline bool isBalanceAccount(AccountKind kind) {
    return kind == AccountKind::Asset || kind == AccountKind::Debt;
}

struct BasAccount {
    int number = 0;
    const char* name = "";
    AccountKind kind = AccountKind::Asset;
    const char* box = ""; // the NE box ("B4", "R1"); "" for none
};

// The SRU code of an NE box ("B4" 7212, "B9" 7280, "R1" 7400); 0 for none.
int sruCodeOfBox(const QString& box);

// Every account the files can name, in number order.
const std::vector<BasAccount>& basAccounts();
const BasAccount* findBasAccount(int number);

// The account a transaction type is booked on (its type line).
struct TypeAccount {
    const char* type = "";
    int account = 0;
    // Why the account differs from the general ledger's, when it does.
    const char* note = "";
};
const std::vector<TypeAccount>& typeAccounts();
int accountOfType(const TransactionType& type);

// Money account 1..6: 1910, 1920, 1921, 1922, 1923, 1924.
int moneyAccountNumber(int slot);

// VAT per rate: output 25/12/6 % on 2611/2621/2631, reverse-charge output on
// 2617/2627/2637; other rates on 2610 and 2617. Input VAT of every rate on
// 2640. The VAT carried from the previous year on 2650.
int outputVatAccount(int rate);
int reverseVatAccount(int rate);
inline constexpr int inputVatAccount = 2640;
inline constexpr int carriedVatAccount = 2650;
inline constexpr int carriedOutputVatAccount = 2610; // carried receivables' VAT

// Accounts of the figures that are not verifications and of the result.
namespace bas {
inline constexpr int fixedAssets = 1220; // bought fixed assets, depreciation
inline constexpr int assetsSold = 1222;  // fixed assets sold
inline constexpr int stock = 1400;
inline constexpr int receivables = 1500;
inline constexpr int equity = 2010;
inline constexpr int yearResult = 2019;
inline constexpr int bankLoans = 2350;
inline constexpr int otherLoans = 2390;
inline constexpr int payables = 2440;
inline constexpr int sales = 3000;
inline constexpr int rounding = 3740;
inline constexpr int purchases = 4000;
inline constexpr int stockChange = 4990;
inline constexpr int depreciation = 7832;
inline constexpr int resultTransfer = 8999;
} // namespace bas

} // namespace mv
