#include "store/file_names.h"
#include "store/paths.h"
#include "store/store_layout.h"

#include "support/temp_dir.h"

#include <QDir>
#include <QFile>

using namespace mv;

TEST(PathTable, EveryPathStartsWithTheYear) {
    const PathTable p = buildPathTable("2014");
    EXPECT_EQ(p.verCounter, "2014/bokforing/_ver.kdb");
    EXPECT_EQ(p.inVerifications, "2014/bokforing/__in_verifikation.kdb");
    EXPECT_EQ(p.invoiceTemplate, "2014/fakturor/__tom .kdb");
    EXPECT_EQ(p.company, "2014/foretaget/foretaget.kdb");
    EXPECT_EQ(p.incomeAccountList, "2014/kontolistor/konton_lista_Mervalla_Inkomst_1.kdb");
    EXPECT_EQ(p.outputVat(25), "2014/bokforing/konto_moms_inkomst_25.kdb");
    EXPECT_EQ(p.reverseVat(6), "2014/bokforing/konto_moms_omvand_6.kdb");
    EXPECT_EQ(p.inputVat(12), "2014/bokforing/konto_moms_utgift_12.kdb");
    EXPECT_EQ(p.moneyAccountAmount(6), "2014/bokforing/konto_fordbelopp_6.kdb");
    EXPECT_EQ(p.account(QString::fromUtf8("Inkomst, Räntor")),
              QString::fromUtf8("2014/bokforing/konto_Inkomst, Räntor.kdb"));
    EXPECT_EQ(p.loanCarried(QString::fromUtf8("Inlåning, Från bank")),
              QString::fromUtf8("2014/bokforing/konto_Inlåning, Från bank_fga_summa.kdb"));
    EXPECT_EQ(p.closing("fga_moms_skillnad"), "2014/bokforing/bokslut_fga_moms_skillnad.kdb");
    EXPECT_EQ(p.secondCopy("_ver.kdb"), "2014/bokforing/fsk/_ver.kdb");
    EXPECT_EQ(closingValueNames().size(), 23);
    EXPECT_EQ(buildPathTable("0000").dayBook, "0000/bokforing/_dagbok.kdb");
}

TEST(PathTable, NothingIsCutByASlotLength) {
    const QString name(120, QLatin1Char('k'));
    EXPECT_EQ(buildPathTable("2014").customer(name), "2014/kunder/" + name + ".kdb");
}

TEST(Paths, SeparatorsAndCanonicalNames) {
    EXPECT_EQ(normalizePath("2014\\bokforing/_ver.kdb"), "2014/bokforing/_ver.kdb");
    EXPECT_EQ(normalizePath("2014\\\\bokforing"), "2014/bokforing");
    EXPECT_EQ(normalizePath("drive_info/sistskapadearet.kdb"), "drive_info/SistSkapadeAret.kdb");
    EXPECT_EQ(normalizePath("drive_info\\SISTSKAPADEARET.KDB"), "drive_info/SistSkapadeAret.kdb");
    EXPECT_EQ(joinPath("backup/", "\\MERVALLA"), "backup/MERVALLA");
    EXPECT_EQ(joinPath("", "a"), "a");
}

TEST(Years, YearTextIsFourDigitsStartingWithTwo) {
    EXPECT_TRUE(isYearText("2014"));
    for (const char* bad : {"2abc", "20145", "1999", "", "201", "201a", " 2014"})
        EXPECT_FALSE(isYearText(bad)) << bad;
}

TEST(FileNames, UnsafeNamesAreRefused) {
    for (const char* bad : {"../x", "a/b", "", ".hidden", "a\\b", "..", "x..y", "a:b", "tab\tname",
                            "end.", "end ", "what?", "a|b"})
        EXPECT_FALSE(isSafeFileName(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(isSafeFileName(QString::fromUtf8("Łódź")));
    for (const char* good : {"Åkesson AB", "Faktura 12", "Kund-1", "Ex. Bolaget"})
        EXPECT_TRUE(isSafeFileName(QString::fromUtf8(good))) << good;
    // A name whose file name the file system could not hold: 200 bytes go,
    // 201 do not ("å" is two bytes on Linux).
    EXPECT_TRUE(isSafeFileName(QString(200, u'A')));
    EXPECT_FALSE(isSafeFileName(QString(201, u'A')));
    EXPECT_TRUE(isSafeFileName(QString(100, QChar(0xE5))));
    EXPECT_FALSE(isSafeFileName(QString(100, QChar(0xE5)) + u'A'));
    EXPECT_FALSE(isSafeFileName(QString(10000, u'K')));
}

using StoreLayout = TempDirTest;

TEST_F(StoreLayout, AccountListsAreWrittenInOrder) {
    ASSERT_TRUE(QDir().mkpath("2014/kontolistor"));
    ASSERT_EQ(writeAccountLists("2014"), 0);
    EXPECT_EQ(bytesOf("2014/kontolistor/konton_lista_Mervalla_Inkomst_1.kdb"),
              golden("konton_lista_Mervalla_Inkomst_1.kdb"));
    EXPECT_EQ(bytesOf("2014/kontolistor/konton_lista_Mervalla_Utgift_1.kdb"),
              golden("konton_lista_Mervalla_Utgift_1.kdb"));
    EXPECT_EQ(incomeAccounts().size(), 12);
    EXPECT_EQ(expenseAccounts().size(), 16);
}

TEST_F(StoreLayout, NoYearDirectoryMeansNothingIsCreated) {
    EXPECT_EQ(writeAccountLists("0000"), 2);
    EXPECT_EQ(ensureRoundingAccount(buildPathTable("0000")), 2);
    EXPECT_FALSE(QFileInfo::exists("0000"));
}

TEST_F(StoreLayout, RoundingAccountIsCreatedOnlyWhenMissing) {
    ASSERT_TRUE(QDir().mkpath("2014/bokforing"));
    const PathTable p = buildPathTable("2014");
    ASSERT_EQ(ensureRoundingAccount(p), 0);
    EXPECT_EQ(bytesOf(p.rounding), QByteArray("0.00\r\n"));
    putBytes(p.rounding, "12.50\r\n");
    ASSERT_EQ(ensureRoundingAccount(p), 0);
    EXPECT_EQ(bytesOf(p.rounding), QByteArray("12.50\r\n"));
}
