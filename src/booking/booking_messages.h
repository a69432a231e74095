#pragma once
// Every message the booking pages show, as plain data: the engine returns
// them and the page shows them through the toolkit, so tests compare the
// exact texts without a window.
#include "store/amount.h"
#include "store/user_message.h"

#include <QString>

namespace mv {

namespace msg {
Message badAmount();                       // a typed amount that is not a plain number
Message badDate();                         // an event date that is not a real YYYY-MM-DD
Message badCharacter(QChar character);     // a character code page 1252 cannot store
Message badName();                         // a counterparty name unusable as a file name
Message netTooLarge();                     // "Max 1.000.000 kr ..."
Message zeroTotal();                       // "... '0.00'  som summa."
Message rateNotApproved();                 // "Momssatsen är ej av godkänt värde!"
Message writeFailed(const QString& path);  // the failed-write message
Message unknownType();                     // a type that is not on the page's list
Message unnamedAccount();                  // an amount on a money account without a name
Message unbalanced();                      // "Kontona balanserar inte!..."
Message transferBooked();                  // "Överföring mellan konton är bokad!"
Message noReceivingAccount();              // a cash step without a named account
// "Kontot <name> blir negativt: <balance>. Vill du spara ändå?" (Ja/Nej, Nej default)
Message accountGoesNegative(const QString& name, Amount balance);
Message checkAccountIncome(bool reverseChargeInvoice); // income page, form complete
Message checkAccountExpense(bool reverseCharge);       // expense page, form complete
} // namespace msg

} // namespace mv
