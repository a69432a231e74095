#include "interchange_fixture.h"

#include "interchange/house_work_claim.h"
#include "interchange/interchange_messages.h"
#include "invoicing/identity_numbers.h"

namespace {

using mv::HouseWorkKind;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

class ClaimFileTest : public InterchangeTest {
  protected:
    mv::ClaimFile claim(HouseWorkKind kind, const char* from, const char* to) const {
        return mv::buildClaimFile(paths, kind, u(from), u(to));
    }
};

TEST_F(ClaimFileTest, SmallYearRotClaimIsTheGoldenFile) {
    smallyear::bookSmallYear(paths);
    const mv::ClaimFile f = claim(HouseWorkKind::Rot, "2014-02-01", "2014-02-28");
    ASSERT_TRUE(f.ok) << f.message.text.toStdString();
    ASSERT_EQ(f.cases.size(), 1u);
    EXPECT_TRUE(f.leftOut.empty());
    expectGoldenBytes(mv::claimFileBytes(f), "interchange_rot_claim.xml",
                      [](const QByteArray& b) { return QString::fromUtf8(b); });
    EXPECT_EQ(mv::claimFileName(QStringLiteral("5566778899"), f),
              QStringLiteral("5566778899_ROT_2014-02-01_2014-02-28.xml"));
    EXPECT_EQ(mv::claimSummary(f),
              u("Begäran om utbetalning, ROT, betalt 2014-02-01 till 2014-02-28:\n"
                "  Faktura 14001, betald 2014-02-25, begärt 3125 kr\n"
                "Summa begärt: 3125 kr\n"));
}

TEST_F(ClaimFileTest, OnlyTheKindAndThePaymentDatesChosenAreClaimed) {
    smallyear::bookSmallYear(paths);
    // RUT and ROT never share a file: the ROT invoice is no RUT claim.
    const mv::ClaimFile rut = claim(HouseWorkKind::Rut, "2014-01-01", "2014-12-31");
    EXPECT_FALSE(rut.ok);
    EXPECT_EQ(rut.message, mv::xmsg::claimNoInvoices(u("RUT"), u("2014-01-01"), u("2014-12-31")));
    // Paid on 2014-02-25: both dates count, the day after does not.
    EXPECT_TRUE(claim(HouseWorkKind::Rot, "2014-02-25", "2014-02-25").ok);
    EXPECT_FALSE(claim(HouseWorkKind::Rot, "2014-02-26", "2014-12-31").ok);
    for (const auto& [from, to] : {std::pair{"2014-02-30", "2014-03-01"},
                                   {"2014-03-01", "2014-02-01"},
                                   {"20140201", "2014-02-28"},
                                   {"", ""}}) {
        const mv::ClaimFile bad = claim(HouseWorkKind::Rot, from, to);
        EXPECT_FALSE(bad.ok) << from;
        EXPECT_EQ(bad.message, mv::xmsg::claimBadDates()) << from;
    }
}

TEST_F(ClaimFileTest, AClaimAboveTheLabourPriceLessWhatTheBuyerPaidIsRefused) {
    smallyear::bookSmallYear(paths);
    const QString claimPath = paths.invoice(u("14002_BU"));
    const QString document = mv::storedText(claimPath);
    const QString line = u("för Husarbete        3125.00");
    ASSERT_TRUE(document.contains(line));
    ASSERT_EQ(mv::writeText(claimPath,
                            QString(document).replace(line, u("för Husarbete        3126.00"))),
              0);
    const mv::ClaimFile f = claim(HouseWorkKind::Rot, "2014-01-01", "2014-12-31");
    EXPECT_FALSE(f.ok);
    EXPECT_TRUE(f.cases.empty());
    EXPECT_EQ(f.message,
              mv::xmsg::claimRefused(
                  u("14001"), u("Det begärda beloppet 3126 kr är större än priset för arbetet "
                                "inklusive moms (6250 kr) minus det köparen har betalat för "
                                "arbetet (3125 kr).")));
}

TEST_F(ClaimFileTest, AnInvoiceNotPaidInFullIsRefusedAndOneWithoutDetailsIsLeftOut) {
    smallyear::writeCompany(paths);
    smallyear::saveHouseWorkInvoice(paths);
    smallyear::book(paths, {mv::Side::Income, "2014-02-25", "Inkomst, Arbete och Tjänst", "1600",
                            "25", "", "Eva Ek", 3, "14001"});
    mv::ClaimFile f = claim(HouseWorkKind::Rot, "2014-01-01", "2014-12-31");
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.message, mv::xmsg::claimRefused(
                             u("14001"), u("Köparen har betalat 2000.00 av 3625.00. Begäran "
                                           "kan lämnas när köparen har betalat hela sin del.")));

    // A claim document from before the buyer and the work were kept.
    smallyear::book(paths, {mv::Side::Income, "2014-02-26", "Inkomst, Arbete och Tjänst", "1300",
                            "25", "", "Eva Ek", 3, "14001"});
    const QString claimPath = paths.invoice(u("14002_BU"));
    QStringList lines = mv::storedText(claimPath).split(u'\n');
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString& l) {
                                   return l.startsWith(u("Köparens personnummer:")) ||
                                          l.startsWith(u("Arbete:")) ||
                                          l.startsWith(u("Antal timmar:")) ||
                                          l.startsWith(u("Fastighetsbeteckning:"));
                               }),
                lines.end());
    ASSERT_EQ(mv::writeText(claimPath, lines.join(u'\n')), 0);
    f = claim(HouseWorkKind::Rot, "2014-01-01", "2014-12-31");
    EXPECT_FALSE(f.ok);
    ASSERT_EQ(f.leftOut.size(), 1u);
    EXPECT_EQ(f.leftOut[0].invoice, u("14001"));
    EXPECT_TRUE(mv::claimSummary(f).contains(u("Inte med i filen:\n  Faktura 14001: ")));
}

TEST_F(ClaimFileTest, AClaimSkatteverketHasPaidIsLeftOutAndItsPaymentIsNoBuyersPayment) {
    smallyear::bookSmallYear(paths);
    smallyear::book(paths,
                    {mv::Side::Income, "2014-02-27", "Inkomst, Arbete och Tjänst", "2500", "25", "",
                     "Skatteverket", 3, "14002"},
                    u("14002_BU"));
    const mv::ClaimFile f = claim(HouseWorkKind::Rot, "2014-02-01", "2014-02-28");
    EXPECT_FALSE(f.ok);
    ASSERT_EQ(f.leftOut.size(), 1u);
    EXPECT_EQ(f.leftOut[0].invoice, u("14001"));
    EXPECT_EQ(f.leftOut[0].reason, u("Skatteverket har redan betalat begäran 14002."));
}

TEST(IdentityNumbers, CheckDigitCenturyAndCoordinationNumbers) {
    const QDate today(2014, 3, 7);
    EXPECT_EQ(mv::personalIdentityNumber(u("19700101-1233"), today), u("197001011233"));
    EXPECT_EQ(mv::personalIdentityNumber(u(" 700101-1233 "), today), u("197001011233"));
    EXPECT_EQ(mv::personalIdentityNumber(u("7001011233"), today), u("197001011233"));
    EXPECT_EQ(mv::personalIdentityNumber(u("700101+1233"), today), u("187001011233"));
    EXPECT_EQ(mv::personalIdentityNumber(u("19700161-1230"), today),
              u("197001611230")); // coordination number
    for (const char* bad : {"19700101-1234", "19700101-123", "19701301-1239", "20200101-1234",
                            "700101 1233", "19700101+1233", "abcdef-ghij", ""})
        EXPECT_FALSE(mv::personalIdentityNumber(u(bad), today).has_value()) << bad;
    EXPECT_EQ(mv::organisationNumber(u("556677-8899")), u("5566778899"));
    EXPECT_FALSE(mv::organisationNumber(u("556677-8898")).has_value());
    EXPECT_EQ(mv::organisationNumberOfVatNumber(u("SE556677889901")), u("5566778899"));
    EXPECT_FALSE(mv::organisationNumberOfVatNumber(u("SE556677889902")).has_value());
}

TEST(HouseWorkDetails, TheFormsChecksAndTheStoredForm) {
    const QDate today(2014, 3, 7);
    mv::HouseWorkDetails d{u("700101-1233"), u("ROT, Bygg"), u("10"), u("Umeå Byn 1:23"), {}, {}};
    mv::HouseWorkCheck c = mv::checkHouseWorkDetails(d, today);
    ASSERT_FALSE(c.refusal) << c.refusal->text.toStdString();
    EXPECT_EQ(c.stored.buyer, u("19700101-1233"));

    const auto refusedAt = [&today](mv::HouseWorkDetails x, mv::HouseWorkField field) {
        const mv::HouseWorkCheck r = mv::checkHouseWorkDetails(x, today);
        EXPECT_TRUE(r.refusal.has_value());
        EXPECT_EQ(r.field, field);
    };
    refusedAt({u("700101-1234"), u("ROT, Bygg"), u("10"), u("Umeå Byn 1:23"), {}, {}},
              mv::HouseWorkField::Buyer);
    refusedAt({u("700101-1233"), u("Bygg"), u("10"), u("Umeå Byn 1:23"), {}, {}},
              mv::HouseWorkField::WorkType);
    refusedAt({u("700101-1233"), u("ROT, Bygg"), u("2.5"), u("Umeå Byn 1:23"), {}, {}},
              mv::HouseWorkField::Hours);
    refusedAt({u("700101-1233"), u("ROT, Bygg"), u("10"), {}, {}, {}},
              mv::HouseWorkField::Property);
    refusedAt(
        {u("700101-1233"), u("ROT, Bygg"), u("10"), u("Umeå Byn 1:23"), u("769600-1234"), u("12")},
        mv::HouseWorkField::Property);
    refusedAt({u("700101-1233"), u("ROT, Bygg"), u("10"), {}, u("769600-1235"), u("12")},
              mv::HouseWorkField::Cooperative);
    refusedAt({u("700101-1233"), u("ROT, Bygg"), u("10"), {}, u("556677-8899"), {}},
              mv::HouseWorkField::Apartment);

    // A cooperative apartment instead of a property; RUT keeps no property.
    c = mv::checkHouseWorkDetails(
        {u("700101-1233"), u("ROT, El"), u("3"), {}, u("5566778899"), u("1102")}, today);
    ASSERT_FALSE(c.refusal);
    EXPECT_EQ(c.stored.cooperative, u("556677-8899"));
    c = mv::checkHouseWorkDetails(
        {u("700101-1233"), u("RUT, Städning"), u("3"), u("Umeå Byn 1:23"), {}, {}}, today);
    ASSERT_FALSE(c.refusal);
    EXPECT_TRUE(c.stored.property.isEmpty());
    EXPECT_EQ(mv::readHouseWorkDetails(mv::houseWorkDetailLines(c.stored).join(u'\n')), c.stored);
}

TEST(HouseWorkShare, RotAndRutSharesByPaymentDate) {
    EXPECT_EQ(mv::houseWorkShareHundredths(HouseWorkKind::Rot, QDate(2014, 2, 25)), 5000);
    EXPECT_EQ(mv::houseWorkShareHundredths(HouseWorkKind::Rot, QDate(2016, 1, 1)), 3000);
    EXPECT_EQ(mv::houseWorkShareHundredths(HouseWorkKind::Rot, QDate(2008, 12, 7)), 0);
    EXPECT_EQ(mv::houseWorkShareHundredths(HouseWorkKind::Rut, QDate(2016, 1, 1)), 5000);
}

} // namespace
