#pragma once
// What the invoicing pages share: checks of what the user typed before
// anything is written (characters a record can hold, typed numbers), and the
// commit of a change with its messages.
#include "store/amount.h"
#include "store/change_set.h"
#include "store/user_message.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace mv {

// The first character a one-line record cannot hold: a control character or
// one code page 1252 has no byte for.
std::optional<QChar> unstorableCharacter(const QString& text);

// A typed amount (quantity, price, percent): optional minus, digits, at most
// two decimals after "." or ","; an empty text is 0. nullopt when it is not
// such a number.
std::optional<Amount> typedNumber(const QString& text);

// The field's text after the amount normalisation of the pages, or "" when
// the field is empty.
QString normalizedAmountField(const QString& text);

// The lines of a stored text (an unterminated last line counts), and lines
// joined back, each with its line end.
QStringList textLines(const QString& text);
QString joinedLines(const QStringList& lines);

// Shows the message through show; without one, the default button's answer
// (No for "yes_NO", OK otherwise).
int ask(const ShowMessage& show, const Message& message);

// Writes the set as one change of the books (no verification number is
// used); a failure is shown. True when written.
bool commitInvoicingChange(const PathTable& paths, const ChangeSet& set, const ShowMessage& show);

} // namespace mv
