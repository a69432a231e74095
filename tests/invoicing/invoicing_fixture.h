#pragma once
// A year 2014 made the way the program makes it, with the company details,
// settings (VAT 25, 12, 6; house-work level 50) and invoice texts of a small
// joinery loaded into the year record, and helpers for invoice drafts.
#include "invoicing/invoice_draft.h"
#include "store/change_set.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/year_fixture.h"

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace mv {
inline void PrintTo(const Amount& a, std::ostream* os) {
    *os << a.toText().toStdString();
}
} // namespace mv

class InvoicingTest : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        paths = makeYear(QStringLiteral("2014"));
        const QString company = QString::fromUtf8(
            "Snickeri Nord\nStorgatan 1\n90325\nUmeå\nAnna Ek\n090-123456\n070-1234567\n"
            "www.snickeri.se\ninfo@snickeri.se\nNordea "
            "1234-5678\n123-4567\n12345-6\nSE556677889901\n");
        ASSERT_EQ(mv::writeText(paths.company, company), 0);
        ASSERT_EQ(
            mv::writeText(paths.invoiceTexts,
                          QString::fromUtf8("Kundnummer anges vid betalning\nBetalningsvillkor: 30 "
                                            "dagar netto\nDröjsmålsränta enligt räntelagen\n\n\n\n"
                                            "Tack för beställningen!\nVälkommen åter\n\n\n")),
            0);
        int progress = 0;
        mv::loadYearRecord(paths, QStringLiteral("."), progress);
        ASSERT_TRUE(mv::renewStamps(paths).ok());
        ASSERT_TRUE(mv::renewSecondCopies(paths).ok());
    }

    static QString u(const char* s) { return QString::fromUtf8(s); }

    // The Standard invoice of the golden file: 2 × 150.00 and three rows of
    // 1.50 × 0.33 at 25 %.
    static mv::InvoiceDraft standardDraft() {
        mv::InvoiceDraft d;
        d.kind = mv::InvoiceKind::Standard;
        d.date = QStringLiteral("2014-03-07");
        d.number = QStringLiteral("14001");
        d.name = u("Kalle Anka");
        d.street = u("Ankgatan 13");
        d.postcode = u("12345");
        d.town = u("Ankeborg");
        d.phone = u("08-123456");
        d.mail = u("kalle.anka@exempel-foretaget.se");
        d.header = {u("Kundnummer anges vid betalning"),
                    u("Betalningsvillkor: 30 dagar netto"),
                    u("Dröjsmålsränta enligt räntelagen"),
                    QString(),
                    QString(),
                    QString()};
        d.rows[0] = {u("Arbete"), u("2.00"), u("150.00")};
        for (int i = 1; i <= 3; ++i)
            d.rows[size_t(i)] = {u("Skruv"), u("1.50"), u("0.33")};
        d.rows[10].sort = u(" ");
        d.rows[11].sort = u(" ");
        d.vatPercent = u("25");
        return d;
    }

    static mv::InvoiceDraft reverseChargeDraft() {
        mv::InvoiceDraft d = standardDraft();
        d.kind = mv::InvoiceKind::ReverseCharge;
        d.number = u("14002");
        d.name = u("Bygg AB");
        d.street = u("Box 12");
        d.postcode = u("11122");
        d.town = u("Stockholm");
        d.phone = u("08-7654321012345678901");
        d.mail = u("ekonomi@bygg.se");
        d.vatNumber = u("SE556000111101");
        for (mv::InvoiceRow& r : d.rows)
            r = {};
        d.rows[0] = {u("Installation"), u("8.00"), u("500.00")};
        d.rows[10].sort = u(" ");
        d.rows[11].sort = u(" ");
        d.vatPercent = u("0");
        return d;
    }

    // 10 hours at 500.00, deduction 50 %, VAT 25 %.
    static mv::InvoiceDraft houseWorkDraft() {
        mv::InvoiceDraft d;
        d.kind = mv::InvoiceKind::HouseWork;
        d.date = QStringLiteral("2014-03-07");
        d.number = QStringLiteral("14003");
        d.name = u("Eva Ek");
        d.street = u("Byvägen 2");
        d.postcode = u("91234");
        d.town = u("Vännäs");
        d.header = {u("Information för Skatteverket!"),
                    u("Preliminär skattereduktion för Husarbeten:"),
                    u(" "),
                    u("Eva Ek 19700101-1234"),
                    u("Namn 2 med personnummer"),
                    u("Namn 3 med personnummer")};
        d.rows[0] = {u("Arbetskostnad timmar x kostnad"), u("10.00"), u("500.00")};
        d.rows[10].sort = u("Preliminär skattereduktion");
        d.rows[11].sort = u("för Husarbeten till BU 14004");
        d.rows[12].sort = u(" ");
        d.deductionPercent = u("50");
        d.vatPercent = u("25");
        d.houseWork = {u("19700101-1233"), u("ROT, Bygg"), u("10"), u("Vännäs Byn 1:23"), {}, {}};
        return d;
    }

    static mv::InvoiceDraft paymentOrderDraft() {
        mv::InvoiceDraft d = standardDraft();
        d.kind = mv::InvoiceKind::PaymentOrder;
        d.number = u("14005");
        d.mail = u("kalle@anka.se");
        d.header.fill(QString());
        for (mv::InvoiceRow& r : d.rows)
            r = {};
        d.rows[0] = {u("Bokföring mars"), u("1.00"), u("1000.10")};
        d.rows[10].sort = u(" ");
        d.rows[11].sort = u(" ");
        d.wholeKronor = true;
        return d;
    }

    mv::PathTable paths;
};
