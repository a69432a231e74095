#pragma once
// Invoice numbers, the list of saved invoices, the paid state and the OCR
// reference of an invoice.
//
// Numbers are decimal without leading zeros and run from the year's last two
// digits followed by 001 up to ...999 (14001 to 14999 in 2014; 9001 to 9999 in
// 2009). The counter file holds the number of the last saved document and
// never goes down. A house-work invoice takes n and its claim n + 1.
//
// Files: <n>.kdb (invoice), <n>_BU.kdb (payment order, or the claim of a
// house-work invoice), <n>_BETALD.kdb (either, once booked as paid).
#include "invoicing/invoice_draft.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

namespace mv {

int firstInvoiceNumber(const QString& year);
int lastInvoiceNumber(const QString& year);

// The counter file read leniently (missing or unreadable is 0).
int storedInvoiceCounter(const PathTable& paths);

// True when any document of the number exists (open, claim or paid).
bool invoiceNumberUsed(const PathTable& paths, int number);

struct NextNumber {
    bool ok = false;
    int number = 0;
    Message message; // the refusal when !ok
};

// The number a new invoice of the kind gets: one above the counter (never
// below the year's first number), past any number whose document exists. A
// house-work invoice also needs the number above it for its claim. Refused
// when the year's numbers do not reach.
NextNumber nextInvoiceNumber(const PathTable& paths, InvoiceKind kind);

// The list of saved invoices in ascending order, from 9000 (or the year's
// first number when lower) up to the counter, so that the unpaid invoices
// carried in from earlier years are listed: "<n>" for an open invoice,
// "<n>_BETALD" for a paid one (only when showPaid), "<n>_BU" for a payment
// order or claim. A paid or suffixed file counts only when it is not empty.
QStringList invoiceList(const PathTable& paths, bool showPaid);

// The number part of an entry ("14004_BU" -> "14004").
QString entryNumber(const QString& entry);
// The name of the entry's document once paid ("14004_BU" -> "14004_BETALD").
QString paidEntryName(const QString& entry);
bool isPaidEntry(const QString& entry);

// The OCR reference of an invoice number: the number, a length digit (the
// reference's length including both added digits, modulo 10) and a mod-10
// (Luhn) check digit over everything before it.
QString ocrReference(int number);
// The Luhn check digit of a run of digits.
int luhnCheckDigit(const QString& digits);
// True when the text is digits whose length digit and check digit hold.
bool isOcrReference(const QString& text);
// The invoice number of a valid OCR reference (0 when it is not one).
int invoiceNumberOfOcr(const QString& text);

} // namespace mv
