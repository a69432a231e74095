#pragma once
// Every message of the files for other programs and Skatteverket, as data.
#include "store/amount.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

namespace mv::xmsg {

// The organisation number: "Momsregistreringsnr" is empty or not SE + ten
// digits + 01.
Message orgNumberMissing();

// The day book cannot be read as verifications.
Message dayBookLineUnreadable(int number, const QString& line);
Message dayBookBlockIncomplete(int number);
Message dayBookBlockUnbalanced(int number);
Message dayBookUnknownType(int number, const QString& type);
Message dayBookUnknownBlock(int number);
Message unknownMoneyAccount(int number, const QString& name);

// The day book and the totals disagree.
Message typeDisagrees(const QString& type, Amount dayBook, Amount total);
Message roundingDisagrees(Amount dayBook, Amount total);
Message vatDisagrees(bool output, Amount beyondDayBook, Amount yearEnd);
Message reverseVatDisagrees();
Message cashNotPlaced(Amount cash, Amount placed);

// Writing a file.
Message fileWritten(const QString& what, const QString& path);
Message fileNotWritten(const QString& path);

// The SIE import.
Message sieUnreadable(const QString& path);
Message sieNotType4();
Message sieNoOrgNumber();
Message sieOtherOrgNumber(const QString& inFile, const QString& ours);
Message sieWrongYear(const QString& year);
Message sieNoBalance(const QString& year);
Message sieUnbalanced(Amount sum);
Message sieVerificationUnbalanced(const QString& series, const QString& number, Amount sum);
Message sieBadLine(int lineNumber, const QString& line);
// The balance read: the rows go into the registration when the user agrees.
Message sieTakeRows(const QString& summary);

// The VAT return.
Message vatRateNotDeclarable(const QStringList& rates);

// The house-work claim file.
Message claimNoInvoices(const QString& kind, const QString& from, const QString& to);
Message claimTooManyBuyers(int count, int allowed);
Message claimRefused(const QString& invoice, const QString& reason);
Message claimBadDates();
Message claimNoKind();

} // namespace mv::xmsg
