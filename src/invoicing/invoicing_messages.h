#pragma once
// Every message the invoicing pages show, as plain data.
#include "store/user_message.h"

#include <QString>

namespace mv::imsg {

// Numbering and saving an invoice.
Message numbersExhausted();              // "Fakturanummreringen har uppnått maxnivån 999..."
Message noNumberForClaim();              // a house-work invoice needs two numbers, one is left
Message zeroTotal();                     // "Ett belopp på mer än 0 måste användas!"
Message rateNotConfigured();             // the VAT percent is none of the settings' rates
Message badAmount(const QString& label); // a typed number that is not a plain number
Message badDate();                       // an invoice date that is not YYYY-MM-DD
Message badCharacter(QChar character);
Message numberTaken(const QString& number);       // the number's document already exists
Message changedInvoiceGone(const QString& entry); // Ändra: the saved document is no longer open
Message buyerVatNumberMissing(); // question before an Omvänd moms invoice without it
Message registerFull();          // "Det finns för mycket kunder lagrade!..."
Message registerNearlyFull();    // "Det börjar bli fullt i kunddatabasen!..."
Message notReady();              // "########### EJ KLAR ÄNNU! ########### "

// Customers ("MATA IN KUNDER" and the invoice form).
Message customerNameMissing(); // "Kundnamn saknas!        "
Message customerNameUnusable(const QString& title);
Message customerExists();          // "Kunden finns redan i registret!..."
Message confirmDeleteCustomer();   // "Skall vald kund rederas?"
Message customerNotDeleted();      // "Kund raderades ej!"
Message customerToDeleteMissing(); // "Kund att radera saknas!"
Message customerDeleted();         // "Kund raderades!"
Message customerRegisterLarge();   // "Antal kunder börjar närma sig max antal..."

// Articles and the stock count.
Message articlesCreated();      // "Ingen tidigare artikel är sparad..."
Message articleNumberTooHigh(); // "För högt artikelnummer!..."
Message articleNumberMissing();
Message articleValueTooWide(const QString& label, int width);
Message stockListFull();           // "Inventeringsregistret har uppnått max anta rader!"
Message confirmDeleteStockCount(); // "Vill du verkligen radera inventeringsdokumentet?..."

// Paying an invoice.
Message invoiceNotPayable(const QString& entry);

// Output.
Message templateMissing();  // "Mall till fakturan finns ej..."
Message mailInstructions(); // "Ett mail med faktura skall skapas!..."
Message pdfSaved(const QString& path);
Message pdfFailed(const QString& path);

} // namespace mv::imsg
