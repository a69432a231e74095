#pragma once
// The types whose save does more than (or other than) the ordinary block and
// totals: the fixed-asset list of depreciable purchases, sales and
// write-offs; the write-off of the VAT difference carried from the previous
// year; and the registration of closing receivables and payables. Every
// check runs before anything is written.
#include "booking/booking_entry.h"
#include "store/change_set.h"
#include "store/store_layout.h"

namespace mv {

// --- Checks against the books -------------------------------------------------

// The carried VAT difference: below zero a VAT asset, above zero a VAT debt.
Amount carriedVatDifference(const PathTable& paths);

// The remaining value of the fixed assets: carried value + depreciable
// purchases - write-offs - sales, in öre.
Amount assetValue(const PathTable& paths);

// The refusal of a booking that the books do not allow, with the follow-up
// help message where there is one; ok when it may be saved.
struct BooksCheck {
    bool ok = true;
    Message message;
    Message help;   // empty text when there is none
};

// Sales and write-offs against the asset value, VAT write-offs against the
// carried difference (direction and size).
BooksCheck checkAgainstBooks(const PathTable& paths, const Booking& b);

// --- Presets of the VAT write-offs -----------------------------------------------

// Fills name, free text and net for a VAT write-off from the carried
// difference; !ok with the message when there is nothing of that kind to
// write off (the page then opens afresh).
struct PresetResult {
    bool ok = false;
    Message message;
    EntryForm form;
};
PresetResult vatWriteOffPreset(const PathTable& paths, const EntryForm& current);

// --- Texts --------------------------------------------------------------------

QString assetListHead(const QString& year);
QString assetPurchaseLine(const Booking& b);
QString assetSaleLine(const Booking& b, int number);
QString assetWriteOffLine(const Booking& b, int number);

QString closingListHead(Side side, const QString& year);
QString closingListLine(const Booking& b);

// --- Saving the types without a cash step ----------------------------------------

// Results of the save of Part of the booking order: 10 a fixed-asset
// write-off, 11 a closing registration, 12 a VAT write-off.
struct SpecialOutcome {
    bool ok = false;
    int result = 0;
    Message message;   // the failure, or the information to show after a write-off
    int number = 0;    // the verification number written (none for 11)
};

// True for the types that are saved without a cash step.
bool savedWithoutCashStep(const TransactionType& type);

SpecialOutcome commitSpecialBooking(const PathTable& paths, const Booking& b);

// The fixed-asset list lines of the ordinary types (purchase and sale); used
// by the ordinary booking.
void addAssetListChanges(const PathTable& paths, const Booking& b, int number, ChangeSet& set);

// The replace-if-short append rule of the record files, applied in a set.
void appendByRule(ChangeSet& set, const QString& path, const QString& text);

namespace msg {
Message nothingToWriteOff();
Message noVatAsset(Amount debt);
Message noVatDebt(Amount asset);
Message writeOffIsDebt();
Message writeOffIsAsset();
Message writeOffTooLarge(Amount available);
Message saleBelowZero(Amount after);
Message saleHelp(Amount value);
Message assetWriteOffBelowZero(Amount after);
Message assetWriteOffHelp();
Message reversalTooLarge();
Message assetWriteOffBooked();
} // namespace msg

} // namespace mv
