#include "invoicing/customer_register.h"

#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "store/file_names.h"

namespace mv {

namespace {

QString storedValue(const QString& v) {
    return v.isEmpty() ? QStringLiteral("-") : v;
}

} // namespace

QString customerRecordText(const Customer& c) {
    QString t = c.name + u'\n';
    for (const QString* v : {&c.street, &c.postcode, &c.town, &c.phone, &c.mail, &c.vatNumber})
        t += storedValue(*v) + u'\n';
    return t;
}

Customer readCustomer(const PathTable& paths, const QString& name) {
    const QStringList lines = storedText(paths.customer(name)).split(u'\n');
    Customer c;
    c.name = name;
    QString* fields[] = {&c.street, &c.postcode, &c.town, &c.phone, &c.mail, &c.vatNumber};
    for (int i = 0; i < 6; ++i)
        *fields[i] = lines.value(i + 1);
    return c;
}

QStringList listLines(const QString& listText) {
    return textLines(listText);
}

int findCustomer(const QStringList& lines, const QString& name) {
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int customerListMeasure(const QString& listText) {
    return int(listText.size() + listText.count(u'\n'));
}

QString preparedCustomerList(const QString& stored) {
    return stored.size() < 5 ? QStringLiteral("\n") : stored;
}

std::optional<Message> customerNameRefusal(const QString& name, const QString& title) {
    if (name.isEmpty()) {
        Message m = imsg::customerNameMissing();
        m.title = title;
        return m;
    }
    if (!isSafeFileName(name)) return imsg::customerNameUnusable(title);
    return std::nullopt;
}

bool saveCustomer(const PathTable& paths, const Customer& customer, const ShowMessage& s) {
    if (const auto refusal =
            customerNameRefusal(customer.name, imsg::customerNameMissing().title)) {
        ask(s, *refusal);
        return false;
    }
    for (const QString* v : {&customer.name, &customer.street, &customer.postcode, &customer.town,
                             &customer.phone, &customer.mail, &customer.vatNumber})
        if (const auto c = unstorableCharacter(*v)) {
            ask(s, imsg::badCharacter(*c));
            return false;
        }
    ChangeSet set(Operation::CustomerSave);
    QStringList lines = listLines(preparedCustomerList(set.text(paths.customerList)));
    const int found = findCustomer(lines, customer.name);
    if (found < 0) {
        lines << customer.name;
    } else {
        if (ask(s, imsg::customerExists()) != answerYes) return false;
        // The record is renamed with the list line when only the case differs.
        if (lines[found] != customer.name) set.remove(paths.customer(lines[found]));
        lines[found] = customer.name;
    }
    set.setText(paths.customerList, joinedLines(lines));
    set.setText(paths.customer(customer.name), customerRecordText(customer));
    return commitInvoicingChange(paths, set, s);
}

bool deleteCustomer(const PathTable& paths, const QString& name, const ShowMessage& s) {
    if (ask(s, imsg::confirmDeleteCustomer()) != answerYes) {
        ask(s, imsg::customerNotDeleted());
        return false;
    }
    if (name.isEmpty()) {
        ask(s, imsg::customerToDeleteMissing());
        return false;
    }
    if (const auto refusal = customerNameRefusal(name, imsg::confirmDeleteCustomer().title)) {
        ask(s, *refusal);
        return false;
    }
    ChangeSet set(Operation::CustomerDelete);
    const QString stored = set.text(paths.customerList);
    QStringList kept;
    QStringList removed;
    for (const QString& line : listLines(stored))
        (line.compare(name, Qt::CaseInsensitive) == 0 ? removed : kept) << line;
    if (!removed.isEmpty()) set.setText(paths.customerList, joinedLines(kept));
    set.remove(paths.customer(name));
    for (const QString& spelling : removed)
        set.remove(paths.customer(spelling));
    if (!commitInvoicingChange(paths, set, s)) return false;
    ask(s, imsg::customerDeleted());
    return true;
}

void addInvoiceCustomer(const PathTable& paths, const Customer& customer, ChangeSet& set,
                        const ShowMessage& s) {
    const QString list = preparedCustomerList(set.text(paths.customerList));
    const int measure = customerListMeasure(list);
    if (measure > 50000) {
        ask(s, imsg::registerFull());
        return;
    }
    if (measure > 48000) ask(s, imsg::registerNearlyFull());
    if (findCustomer(listLines(list), customer.name) >= 0) return;
    set.setText(paths.customerList, list + customer.name + u'\n');
    set.setText(paths.customer(customer.name), customerRecordText(customer));
}

} // namespace mv
