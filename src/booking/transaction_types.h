#pragma once
// The booking subsystem owns the 28 transaction types, the verification texts
// (list blocks, day book, cash book), the account totals, the verification
// counter and the distribution of the cash total over the six money accounts.
// This header: the fixed table of transaction types.
#include <QString>

#include <vector>

namespace mv {

enum class Side { Income, Expense };

// What the type does to the business's money.
enum class CashEffect { In, Out, None };

// The page groups: which fields are editable and the Enter order.
enum class TypeGroup {
    InterestAndLoans,   // income: interest, loans taken
    IncomeWithoutVat,   // "Inkomst, Omvänd moms", "Inkomst, Momsfritt"
    IncomeWithVat,
    ReceivablesClosing, // "Bokslut, Kundfordringar"
    VatAssetWriteOff,   // "Justering, Utbokning momstillgång"
    Withdrawals,        // own salary, own tax, fixed-asset write-off
    InterestAndRepayments,
    ExpenseWithoutVat,  // "Utgift, Momsfritt"
    ExpenseWithVat,
    PayablesClosing,    // "Bokslut, Leverantörsskulder"
    VatDebtWriteOff,    // "Justering, Utbokning momsskuld"
};

// Types whose save does more than the ordinary block and totals.
enum class SpecialKind {
    Ordinary,
    AssetPurchase,      // "Utgift, Inventarier (med avskr)": also a fixed-asset list line
    AssetSale,          // "Inkomst, Inventarier": also a fixed-asset list line
    AssetWriteOff,      // "Utgift, Inventarier Utbokat"
    VatAssetWriteOff,
    VatDebtWriteOff,
    ReceivablesClosing,
    PayablesClosing,
};

struct TransactionType {
    QString name;        // exact text; also names konto_<name>.kdb
    Side side;
    bool rateRequired;   // the VAT-rate field must hold a configured rate
    CashEffect cash;
    TypeGroup group;
    SpecialKind special;
    QString blockLabel;  // label of the block's type line (short for four expense types)
    bool reverseCharge;  // "Utgift, Omvänd moms": VAT booked both in and out
};

// All 28 types, income side first, each side in the order of its list file.
const std::vector<TransactionType>& transactionTypes();

// The type with exactly this name on that side; nullptr when there is none.
const TransactionType* findType(Side side, const QString& name);

// Default type of the income and expense pages.
QString defaultTypeName(Side side);

// True for the types the invariant of the books counts (cash in or out).
inline bool movesCash(const TransactionType& t) { return t.cash != CashEffect::None; }

} // namespace mv
