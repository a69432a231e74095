#pragma once
// The customer register of a year: the list file kunder/_kunder.kdb (one name
// per line, starting with an empty line) and one record file per customer,
// kunder/<name>.kdb, with the name, street, postcode, town, telephone, mail
// and the buyer's VAT number, one per line, an empty value stored as "-".
// Older record files (four lines from the income page, six from earlier
// versions) stay readable: what is missing is empty.
//
// A name becomes a file name, so it is checked before any file is touched.
#include "store/change_set.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mv {

struct Customer {
    QString name, street, postcode, town, phone, mail, vatNumber;
};

inline constexpr int customerFieldCount = 7;

// The record file's text: seven lines, each with its line end, "-" for empty.
QString customerRecordText(const Customer& customer);
// The record of the name as stored (a "-" stays "-"); a missing file gives
// the name and empty fields.
Customer readCustomer(const PathTable& paths, const QString& name);

// The lines of a list text (a last unterminated line counts).
QStringList listLines(const QString& listText);
// Index of the first line equal to the name, case ignored; -1 when none.
int findCustomer(const QStringList& lines, const QString& name);
// The size measure of the list: its characters plus one per line end.
int customerListMeasure(const QString& listText);
// The list as a save sees it: fewer than 5 characters is a single line end.
QString preparedCustomerList(const QString& stored);

// The refusal of a name that cannot be a customer (empty, or unusable as a
// file name), with the title of the page that refuses it.
std::optional<Message> customerNameRefusal(const QString& name, const QString& title);

// "Spara" of the customer page: refuses a bad name, asks before replacing an
// existing customer, writes the list and the record as one change. True when
// the customer was saved.
bool saveCustomer(const PathTable& paths, const Customer& customer, const ShowMessage& show);

// "Radera" of the customer page: asks first, then removes every line of the
// name from the list and its record file as one change. True when deleted.
bool deleteCustomer(const PathTable& paths, const QString& name, const ShowMessage& show);

// The invoice save's register step: a name not yet in the list is appended
// with its record file (an existing customer's record is not changed). Warns
// when the list grows large and stops adding when it is full. The name must
// have been checked.
void addInvoiceCustomer(const PathTable& paths, const Customer& customer, ChangeSet& set,
                        const ShowMessage& show);

} // namespace mv
