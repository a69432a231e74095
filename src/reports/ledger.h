#pragma once
// The general ledger: the year's total of every account, grouped in fixed
// sections, each account under its BAS number and NE box. It reads the
// account total files of the year and never walks the verifications.
#include "store/amount.h"
#include "store/store_layout.h"

#include <QString>

namespace mv {

// Composes the ledger of the year into paths.ledgerReport.
// Returns 0, or the first failing code of the writes (the work file is then
// incomplete and must not be shown).
int composeLedger(const PathTable& paths);

// An account total as the ledger reads it: the file's first terminated line,
// at most 20 characters of it, read leniently (missing or empty is 0.00).
Amount readLedgerAmount(const QString& path);

// True when a VAT total file of one rate gets a line in the ledger: it holds
// more than one character, a line end or a tab counting as two.
bool vatFileHasEntry(const QString& path);

} // namespace mv
