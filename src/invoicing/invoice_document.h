#pragma once
// The composition of an invoice's documents in their fixed layout.
#include "invoicing/invoice_draft.h"
#include "invoicing/invoice_figures.h"
#include "store/settings.h"

#include <QString>

#include <array>

namespace mv {

// The three documents a save can write.
enum class DocumentRole {
    Invoice,      // <n>.kdb: Standard, Omvänd moms, Husavdrag
    PaymentOrder, // <n>_BU.kdb: Betal.uppdrag
    Claim,        // <n + 1>_BU.kdb: the claim on Skatteverket of a house-work invoice
};

// Everything outside the form that a document shows.
struct DocumentSources {
    CompanyDetails company;
    std::array<QString, invoiceMiddleCount> middle; // lines 7-10 of the invoice texts
};

// Fixed-column helpers: the text followed (pad) or preceded (right) by blanks
// up to w characters; neither ever cuts the text.
QString padText(const QString& text, int width);
QString rightText(const QString& text, int width);

// The document of the role. For the claim, number is the claim's own number
// (the invoice's + 1) and the figures are those of the invoice.
QString composeDocument(DocumentRole role, const InvoiceDraft& draft, const InvoiceFigures& figures,
                        const DocumentSources& sources);

// The role of the customer's document of a kind (Invoice or PaymentOrder).
DocumentRole customerRole(InvoiceKind kind);

// The texts that describe the two rows of the deduction on a house-work
// invoice, and the sort text of the claim's payment row.
QString deductionRowText();                                // row 11
QString deductionClaimRowText(int claimNumber);            // row 12
QString claimPaymentRowText(const QString& invoiceNumber); // row 13 of the claim

// The reverse-charge wording every such invoice carries.
QString reverseChargeWording();

// Header line 1 of a claim: "Från Skatteverket" (how a claim is recognised).
QString claimHeaderLine();

// The line of the house-work notice that every house-work invoice and claim
// carries: "Denna faktura är reducerad med avdrag för husarbete!".
QString houseWorkNoticeLine();

} // namespace mv
