// Invoices and the books: a save (one document, or the two of a house-work
// invoice) interrupted at any disk change
// leaves the invoice, its number and the list as before or as after; an
// invoice picked on the income page is booked with its customer, net and
// rate and marked paid in the same change, which a kill at any disk change
// also leaves whole.
#include "booking_fixture.h"

#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_payment.h"
#include "invoicing/invoice_save.h"
#include "store/settings.h"

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

class InvoiceBooksTest : public BookingTest {
  protected:
    InvoiceBooksTest() { inMemory = true; }

    void SetUp() override {
        BookingTest::SetUp();
        writeCompany();
    }

    // Company details, settings and invoice texts of the year in the record.
    void writeCompany() {
        ASSERT_EQ(mv::writeText(paths.settings, mv::defaultSettingsText()), 0);
        ASSERT_EQ(mv::writeText(paths.company,
                                u("Snickeri Nord\nStorgatan 1\n90325\nUmeå\n") + QString(9, u'\n')),
                  0);
        ASSERT_EQ(mv::writeText(paths.invoiceTexts, QString(10, u'\n')), 0);
        mv::resetYearRecord();
        int progress = 0;
        mv::loadYearRecord(paths, QStringLiteral("."), progress);
        ASSERT_TRUE(mv::renewStamps(paths).ok());
        ASSERT_TRUE(mv::renewSecondCopies(paths).ok());
    }

    static mv::InvoiceDraft draft(mv::InvoiceKind kind, int number) {
        mv::InvoiceDraft d;
        d.kind = kind;
        d.number = QString::number(number);
        d.date = u("2014-03-07");
        d.name = kind == mv::InvoiceKind::ReverseCharge ? u("Bygg AB") : u("Eva Ek");
        d.street = u("Byvägen 2");
        d.postcode = u("91234");
        d.town = u("Vännäs");
        d.vatNumber = u("SE556000111101");
        d.rows[0] = {u("Arbete"), u("10.00"), u("500.00")};
        d.vatPercent = kind == mv::InvoiceKind::ReverseCharge ? u("0") : u("25");
        d.deductionPercent = u("50");
        if (kind == mv::InvoiceKind::HouseWork) {
            d.rows[11].sort = mv::deductionClaimRowText(number + 1);
            d.houseWork = {
                u("19700101-1233"), u("ROT, Bygg"), u("10"), u("Vännäs Byn 1:23"), {}, {}};
        }
        return d;
    }

    bool saveDraft(const mv::InvoiceDraft& d) { return mv::saveInvoice(paths, d, false, {}).saved; }

    // A year in the folder: copies of a template with an earlier invoice 14001.
    void freshYear(const QString& folder) {
        if (!QFileInfo(QStringLiteral("template/2014")).isDir()) {
            ASSERT_TRUE(QDir().mkpath(QStringLiteral("template")));
            ASSERT_TRUE(QDir::setCurrent(QStringLiteral("template")));
            makeYear();
            writeCompany();
            ASSERT_TRUE(saveDraft(draft(mv::InvoiceKind::Standard, 14001)));
            ASSERT_TRUE(QDir::setCurrent(crashBase_));
        }
        ASSERT_EQ(mv::copyTree(folder, QStringLiteral("template/2014")), 0);
        ASSERT_TRUE(QDir::setCurrent(folder));
    }

    template <class Op> void crashEverywhere(Op op) {
        BookingTest::crashEverywhere([this](const QString& folder) { freshYear(folder); }, op, 5);
    }

    // A save of the kind as the second invoice of the year, with a new
    // customer: the register grows with the same change.
    void crashSave(mv::InvoiceKind kind) {
        crashEverywhere([this, kind] {
            mv::InvoiceDraft d = draft(kind, 14002);
            d.name = u("Ny Kund");
            return saveDraft(d);
        });
    }

    // The income page's way: pick, fill the form as the pick does, check,
    // place on account 1.
    mv::CommitOutcome payThroughPick(const QString& entry) {
        const mv::InvoicePick pick = mv::pickInvoice(paths, entry);
        EXPECT_TRUE(pick.ok) << entry.toStdString();
        mv::EntryForm f =
            form(mv::Side::Income,
                 pick.withoutVat ? "Inkomst, Omvänd moms" : "Inkomst, Arbete och Tjänst", "");
        f.reference = entry;
        f.name = pick.name;
        f.street = pick.street;
        f.postcode = pick.postcode;
        f.town = pick.town;
        f.freeText = pick.freeText;
        f.net = pick.net;
        f.rate = pick.withoutVat ? QString() : pick.rate;
        mv::PrepareResult r = mv::prepareBooking(f, rates());
        EXPECT_TRUE(r.ok) << r.message.text.toStdString();
        r.booking.paidInvoice = entry;
        return mv::commitBooking(paths, r.booking, placement(1));
    }
};

TEST_F(InvoiceBooksTest, AStandardSaveIsWholeAfterAKillAnywhere) {
    crashSave(mv::InvoiceKind::Standard);
}
TEST_F(InvoiceBooksTest, AHouseWorkSaveIsWholeAfterAKillAnywhere) {
    crashSave(mv::InvoiceKind::HouseWork);
}

TEST_F(InvoiceBooksTest, MarkingPaidIsWholeAfterAKillAnywhere) {
    crashEverywhere([this] { return payThroughPick(u("14001")).ok; });
    // The last run was interrupted after its final change: the books hold
    // the payment and the paid invoice.
    EXPECT_FALSE(QFile::exists(paths.invoice(u("14001"))));
}

TEST_F(InvoiceBooksTest, EachKindIsPaidFromTheIncomePage) {
    ASSERT_TRUE(saveDraft(draft(mv::InvoiceKind::Standard, 14001)));
    ASSERT_TRUE(saveDraft(draft(mv::InvoiceKind::ReverseCharge, 14002)));
    ASSERT_TRUE(saveDraft(draft(mv::InvoiceKind::HouseWork, 14003)));
    ASSERT_TRUE(saveDraft(draft(mv::InvoiceKind::PaymentOrder, 14005)));
    struct Case {
        const char* entry;
        const char* name;
        const char* net;
        const char* rate;
        const char* total;
        const char* paid;
    };
    const Case cases[] = {
        {"14001", "Eva Ek", "5000.00", "25", "6250.00", "14001_BETALD"},
        {"14002", "Bygg AB", "5000.00", "", "5000.00", "14002_BETALD"},
        {"14003", "Eva Ek", "2500.00", "25", "3125.00", "14003_BETALD"},
        {"14004_BU", "Skatteverket", "2500.00", "25", "3125.00", "14004_BETALD"},
        {"14005_BU", "Eva Ek", "5000.00", "25", "6250.00", "14005_BETALD"},
    };
    int number = 0;
    for (const Case& c : cases) {
        const mv::CommitOutcome out = payThroughPick(u(c.entry));
        ASSERT_TRUE(out.ok) << c.entry << " " << out.message.text.toStdString();
        EXPECT_EQ(out.number, ++number);
        const QString list = file(paths.inVerifications);
        const QString block =
            list.mid(list.lastIndexOf(u("Verifikat          = ") + QString::number(number)));
        EXPECT_TRUE(block.contains(u("Faktura/Ref        = ") + u(c.entry))) << block.toStdString();
        EXPECT_TRUE(block.contains(u(c.name))) << block.toStdString();
        EXPECT_TRUE(block.contains(u(c.net))) << block.toStdString();
        EXPECT_TRUE(block.contains(u(c.total))) << block.toStdString();
        EXPECT_FALSE(QFile::exists(paths.invoice(u(c.entry)))) << c.entry;
        EXPECT_TRUE(QFile::exists(paths.invoice(u(c.paid)))) << c.entry;
    }
    EXPECT_EQ(amountText(paths.outputVat(25)), u("3750.00")); // 1250 + 625 + 625 + 1250
    EXPECT_EQ(amountText(paths.account(u("Inkomst, Omvänd moms"))), u("5000.00"));
    EXPECT_TRUE(mv::invoiceList(paths, false).isEmpty());
    // Paying an invoice twice is refused and books nothing.
    mv::EntryForm f = form(mv::Side::Income, "Inkomst, Arbete och Tjänst", "5000", "25");
    mv::PrepareResult r = mv::prepareBooking(f, rates());
    ASSERT_TRUE(r.ok);
    r.booking.paidInvoice = u("14001");
    const auto before = snapshot();
    const mv::CommitOutcome again = mv::commitBooking(paths, r.booking, placement(1));
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.message.title, u("STOPP"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(integritySum(), 0);
}

} // namespace
