#pragma once
// The small year 2014 of the interchange tests, booked through the program's
// own operations: the company, the settings, nine verifications of several
// types (a rounding amount, a reverse-charge expense, a transfer between
// money accounts, a VAT-free income, an owner's withdrawal, a depreciable
// purchase), a house-work invoice paid by the buyer, a receivable at the
// year's end and the stock count.
//
// The figures every golden file of this folder is computed from by hand:
//
//  nr event date  type                               net      VAT  öre   total  account
//   1 2014-01-15  Inkomst, Arbete och Tjänst     1000.00   250.00        1250.00  PlusGiro
//   2 2014-01-20  Inkomst, Varor o material       400.30 12% 48.04 0.50   448.84  PlusGiro
//   3 2014-01-28  Utgift, Varor o material        200.00    50.00         250.00  PlusGiro
//   4 2014-02-05  Utgift, Omvänd moms            1000.00   250.00        1000.00  PlusGiro
//   5 2014-03-07  transfer PlusGiro -> Banken 1                           400.00
//   6 2014-02-14  Inkomst, Momsfritt              300.00                  300.00  Kontantkassa
//   7 2014-02-25  Inkomst, Arbete och Tjänst     2900.00   725.00        3625.00  Banken 1
//                 (invoice 14001 paid: 10 h x 500.00 ROT, material 400.00)
//   8 2014-03-03  Utgift, Uttag för egen lön      200.00                  200.00  Kontantkassa
//   9 2014-03-05  Utgift, Inventarier (med avskr) 2000.00  500.00        2500.00  Banken 1
//  receivables at the year's end 800.00 + VAT 200.00; stock counted 1000.
#include "booking/adjustment_bookings.h"
#include "booking/booking_commit.h"
#include "booking/cash_distribution.h"
#include "invoicing/invoice_save.h"
#include "store/change_set.h"
#include "store/settings.h"

#include <QDir>
#include <gtest/gtest.h>

namespace smallyear {

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}

inline QStringList rates() {
    return {u("25"), u("12"), u("6"), u("x")};
}

// The company details and the default settings, loaded into the record.
inline void writeCompany(const mv::PathTable& paths, const char* vatNumber = "SE556677889901") {
    mv::ChangeSet set(mv::Operation::CompanySave);
    set.setText(paths.company,
                u("Snickeri Nord\nStorgatan 1\n90325\nUmeå\nAnna Ek\n090-123456\n"
                  "070-1234567\nwww.snickeri.se\ninfo@snickeri.se\nNordea 1234-5678\n"
                  "123-4567\n12345-6\n") +
                    u(vatNumber) + u("\n"));
    set.setText(paths.settings, mv::defaultSettingsText());
    ASSERT_TRUE(mv::commitChangeSet(paths, set, 0).ok);
    int progress = 0;
    mv::loadYearRecord(paths, QDir::currentPath(), progress);
}

inline mv::Placement placement(int account) {
    mv::Placement p;
    for (int i = 0; i < 6; ++i)
        p.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
    p.account = account;
    return p;
}

struct Entry {
    mv::Side side;
    const char* date;
    const char* type;
    const char* net;
    const char* rate;
    const char* ore;
    const char* name;
    int account; // 0 Kontantkassa, 1 PlusGiro, 3 Banken 1
    const char* reference = "";
};

inline mv::EntryForm formOf(const Entry& e) {
    mv::EntryForm f;
    f.side = e.side;
    f.eventDate = u(e.date);
    f.type = u(e.type);
    f.net = u(e.net);
    f.rate = u(e.rate);
    f.ore = u(e.ore);
    f.sign = *e.ore ? u("+") : QString();
    f.name = u(e.name);
    f.reference = u(e.reference);
    return f;
}

// Prepares and writes one booking with its cash step; paidInvoice is marked
// paid with it.
inline void book(const mv::PathTable& paths, const Entry& e, const QString& paidInvoice = {}) {
    const mv::PrepareResult r = mv::prepareBooking(formOf(e), rates());
    ASSERT_TRUE(r.ok) << r.message.text.toStdString();
    mv::Booking b = r.booking;
    b.paidInvoice = paidInvoice;
    const mv::CommitOutcome c = mv::commitBooking(paths, b, placement(e.account));
    ASSERT_TRUE(c.ok) << c.message.text.toStdString();
}

inline void bookSpecial(const mv::PathTable& paths, const Entry& e) {
    const mv::PrepareResult r = mv::prepareBooking(formOf(e), rates());
    ASSERT_TRUE(r.ok) << r.message.text.toStdString();
    const mv::SpecialOutcome c = mv::commitSpecialBooking(paths, r.booking);
    ASSERT_TRUE(c.ok) << c.message.text.toStdString();
}

// Moves amount from money account `from` to `to` (0-based).
inline void transfer(const mv::PathTable& paths, int from, int to, mv::Amount amount) {
    const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
    mv::TransferForm t;
    for (int i = 0; i < 6; ++i) {
        t.names[size_t(i)] = m.names[size_t(i)];
        mv::Amount b = m.balances[size_t(i)];
        if (i == from) b -= amount;
        if (i == to) b += amount;
        t.balances[size_t(i)] = b.toText();
    }
    const mv::CommitOutcome c = mv::commitTransfer(paths, t);
    ASSERT_TRUE(c.ok) << c.message.text.toStdString();
}

// The house-work invoice 14001 (claim 14002_BU): 10 hours at 500.00 and
// timber for 400.00, 50 % deduction, 25 % VAT: to pay 3625.00, claim 3125.00.
inline mv::InvoiceDraft houseWorkInvoice() {
    mv::InvoiceDraft d;
    d.kind = mv::InvoiceKind::HouseWork;
    d.date = u("2014-02-10");
    d.number = u("14001");
    d.name = u("Eva Ek");
    d.street = u("Byvägen 2");
    d.postcode = u("91234");
    d.town = u("Vännäs");
    d.header = {u("Information för Skatteverket!"),
                u("Preliminär skattereduktion för Husarbeten:"),
                u(" "),
                u("Eva Ek"),
                u("Namn 2 med personnummer"),
                u("Namn 3 med personnummer")};
    d.rows[0] = {u("Arbetskostnad timmar x kostnad"), u("10.00"), u("500.00")};
    d.rows[1] = {u("Virke"), u("1.00"), u("400.00")};
    d.rows[10].sort = u("Preliminär skattereduktion");
    d.rows[11].sort = u("för Husarbeten till BU 14002");
    d.rows[12].sort = u(" ");
    d.deductionPercent = u("50");
    d.vatPercent = u("25");
    d.houseWork = {u("19700101-1233"), u("ROT, Bygg"), u("10"), u("Umeå Byn 1:23"), {}, {}};
    return d;
}

inline void saveHouseWorkInvoice(const mv::PathTable& paths) {
    const mv::InvoiceSave s =
        mv::saveInvoice(paths, houseWorkInvoice(), false, [](const mv::Message& m) {
            ADD_FAILURE() << m.text.toStdString();
            return mv::answerOk;
        });
    ASSERT_TRUE(s.saved);
}

inline void bookSmallYear(const mv::PathTable& paths) {
    using mv::Side;
    writeCompany(paths);
    saveHouseWorkInvoice(paths);
    book(paths, {Side::Income, "2014-01-15", "Inkomst, Arbete och Tjänst", "1000", "25", "",
                 "Byggbolaget AB", 1});
    book(paths,
         {Side::Income, "2014-01-20", "Inkomst, Varor o material", "400.30", "12", "50", "", 1});
    book(paths, {Side::Expense, "2014-01-28", "Utgift, Varor o material", "200", "25", "",
                 "Järnhandeln", 1});
    book(paths, {Side::Expense, "2014-02-05", "Utgift, Omvänd moms", "1000", "25", "",
                 "Underentreprenör AB", 1});
    transfer(paths, 1, 3, mv::Amount::fromKronor(400));
    book(paths, {Side::Income, "2014-02-14", "Inkomst, Momsfritt", "300", "", "", "", 0});
    book(paths,
         {Side::Income, "2014-02-25", "Inkomst, Arbete och Tjänst", "2900", "25", "", "Eva Ek", 3,
          "14001"},
         u("14001"));
    book(paths, {Side::Expense, "2014-03-03", "Utgift, Uttag för egen lön", "200", "", "", "", 0});
    book(paths, {Side::Expense, "2014-03-05", "Utgift, Inventarier (med avskr)", "2000", "25", "",
                 "Maskin AB", 3});
    bookSpecial(paths, {Side::Income, "2014-12-31", "Bokslut, Kundfordringar", "800", "25", "",
                        "Byggbolaget AB", 0, "14099"});
    mv::ChangeSet stock(mv::Operation::StockCountSave);
    stock.setText(paths.closing(u("inventering_varde")), u("1000\n"));
    ASSERT_TRUE(mv::commitChangeSet(paths, stock, 0).ok);
}

} // namespace smallyear
