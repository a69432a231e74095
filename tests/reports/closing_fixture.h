#pragma once
// A year 2014 as the booking tests make it (six named money accounts, every
// vital file, stamps and second copies), with the settings the closing reads
// and helpers to put carried values and to compare reports with golden files.
#include "booking/booking_fixture.h"

#include "booking/adjustment_bookings.h"
#include "reports/closing_basis.h"
#include "reports/closing_figures.h"
#include "store/settings.h"
#include "store/text_codec.h"

class ClosingTest : public BookingTest {
  protected:
    ClosingTest() { inMemory = true; } // years of many bookings
    // Deduction 25, contribution 28.97, income tax 30, stock write-down 3,
    // depreciation 30, VAT 25, 12, 6.
    mv::Settings settings = settingsOf({"25", "28.97", "30", "3", "30"});

    static mv::Settings settingsOf(std::initializer_list<const char*> firstFive) {
        mv::Settings s;
        const char* rest[] = {"25", "12", "6", "x", "50", "NEJ"};
        size_t i = 0;
        for (const char* v : firstFive)
            s.fields[i++] = QString::fromUtf8(v);
        for (const char* v : rest)
            if (i < s.fields.size()) s.fields[i++] = QString::fromUtf8(v);
        return s;
    }

    // A stored value, as the booking or the completion leaves it.
    void put(const QString& path, const QString& text) {
        ASSERT_EQ(mv::writeText(path, text), 0) << path.toStdString();
    }
    void putAmount(const QString& path, const char* amount) {
        put(path, QString::fromUtf8(amount) + QStringLiteral("\n"));
    }
    void putClosing(const char* name, const char* amount) {
        putAmount(paths.closing(QString::fromUtf8(name)), amount);
    }
    void putAccount(const char* name, const char* amount) {
        putAmount(paths.account(QString::fromUtf8(name)), amount);
    }
    // The books as they stand are stamped again (files written by the test).
    void restamp() {
        ASSERT_TRUE(mv::renewStamps(paths).ok());
        ASSERT_TRUE(mv::renewSecondCopies(paths).ok());
    }

    mv::ClosingFigures figures() const { return mv::closingFigures(paths, settings); }

    // A composed text against a golden file (cp1252, CR LF).
    static void expectGoldenText(const QString& text, const char* goldenName) {
        const QByteArray expected = golden(QString::fromUtf8(goldenName));
        EXPECT_EQ(text.toStdString(), mv::decodeStored(expected).toStdString())
            << "against " << goldenName;
        EXPECT_EQ(mv::encodeStored(text), expected) << "bytes differ from " << goldenName;
    }

    // One ordinary or special booking through the engine; fails the test
    // when it is refused.
    void bookAny(mv::Side side, const char* type, const char* net, const char* rate = "",
                 const char* sign = "", const char* ore = "") {
        const mv::EntryForm f = form(side, type, net, rate, sign, ore);
        const mv::PrepareResult r = mv::prepareBooking(f, rates());
        ASSERT_TRUE(r.ok) << type << ": " << r.message.text.toStdString();
        if (mv::savedWithoutCashStep(*r.booking.type)) {
            const mv::SpecialOutcome s = mv::commitSpecialBooking(paths, r.booking);
            ASSERT_TRUE(s.ok) << type << ": " << s.message.text.toStdString();
        } else {
            const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(0));
            ASSERT_TRUE(c.ok) << type << ": " << c.message.text.toStdString();
        }
    }
};
