#include "year_fixture.h"

using namespace mv;

namespace {

using SettingsFields = std::array<QString, settingsFieldCount>;
using CompanyFields = std::array<QString, companyLineCount>;

SettingsFields typedSettings() {
    return {QStringLiteral("25"), QStringLiteral("28.97"), QStringLiteral("35"),
            QStringLiteral("3"),  QStringLiteral("30"),    QStringLiteral("25"),
            QStringLiteral("12"), QStringLiteral("6"),     QStringLiteral("x"),
            QStringLiteral("50"), QStringLiteral("Nej")};
}

} // namespace

class SettingsTest : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        p = makeYear(QStringLiteral("2014"));
        loadYearRecord(p, QStringLiteral("/arbete"), progress);
    }
    SaveOutcome save(const SettingsFields& f) { return saveSettings(p, f, r.show()); }

    PathTable p;
    MessageRecorder r;
    int progress = 0;
};

TEST_F(SettingsTest, ValidValuesAreSavedAtomicallyAndBecomeTheRecord) {
    SettingsFields f = typedSettings();
    f[1] = QStringLiteral("28,97"); // a decimal comma is taken as a point
    f[5] = QStringLiteral(" 06 ");
    f[8] = QStringLiteral("X");
    f[9] = QString();
    f[10] = QStringLiteral("jA");
    const SaveOutcome out = save(f);
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(out.field11, QStringLiteral("JA"));
    EXPECT_EQ(out.postCommand, 1015);
    EXPECT_TRUE(r.shown.empty());
    EXPECT_EQ(bytesOf(p.settings),
              QByteArray("25\r\n28.97\r\n35\r\n3\r\n30\r\n6\r\n12\r\n6\r\nx\r\n\r\nJA\r\n"));
    const Settings& s = yearRecord().settings;
    EXPECT_EQ(s.field(setting::houseWorkLevel), QStringLiteral("50"))
        << "an empty level reads as 50";
    EXPECT_EQ(s.percentHundredths(setting::selfEmployedFee), 2897);
    EXPECT_EQ(s.percentHundredths(setting::houseWorkLevel), 5000);
    EXPECT_EQ(s.vatRates(), (QList<int>{6, 12}));
    EXPECT_TRUE(s.isVatRate(6));
    EXPECT_FALSE(s.isVatRate(25));
    EXPECT_FALSE(s.vatRate(4).has_value());
    EXPECT_EQ(yearRecord().wholeKronor, 1);
}

TEST_F(SettingsTest, MistypedNumbersAreRefusedAndNothingChanges) {
    const QByteArray before = bytesOf(p.settings);
    struct Case {
        int field;
        QString value;
        QString label;
    };
    const std::vector<Case> cases = {
        {6, QStringLiteral("2 5"), QStringLiteral("Moms 1 i %")},
        {1, QStringLiteral("abc"), QStringLiteral("Schablonavdrag, för egenavgift i %")},
        {2, QString(), QStringLiteral("Egenavgift i %")},
        {5, QStringLiteral("-30"), QStringLiteral("Inventarie, avskrivning per år i %")},
        {7, QStringLiteral("50"), QStringLiteral("Moms 2 i %")},
        {8, QStringLiteral("x"), QStringLiteral("Moms 3 i %")},
        {8, QStringLiteral("12.5"), QStringLiteral("Moms 3 i %")},
        {9, QStringLiteral("y"), QStringLiteral("Moms 4 i % ( = 'x' om ej används )")},
        {10, QStringLiteral("5O"), QStringLiteral("Husavdrag, nivå i %")},
    };
    for (const Case& c : cases) {
        r.shown.clear();
        SettingsFields f = typedSettings();
        f[size_t(c.field - 1)] = c.value;
        f[10] = QStringLiteral("JA");
        const SaveOutcome out = save(f);
        EXPECT_EQ(out.code, 1) << c.value.toStdString();
        ASSERT_EQ(r.shown.size(), 1u) << c.value.toStdString();
        EXPECT_EQ(r.shown[0], (Message{QStringLiteral("INMATNINGSFEL"),
                                       QStringLiteral("Felaktigt värde i fältet '") + c.label +
                                           QStringLiteral("'!\n\nSkriv ett tal."),
                                       QStringLiteral("EXCLAMATION"), QStringLiteral("OK")}));
        EXPECT_EQ(bytesOf(p.settings), before);
        EXPECT_EQ(yearRecord().settings.vatRates(), (QList<int>{25, 12, 6}));
        EXPECT_EQ(yearRecord().wholeKronor, 0);
    }
}

TEST_F(SettingsTest, CharactersOutsideTheCodePageAreRefused) {
    const QByteArray before = bytesOf(p.settings);
    SettingsFields f = typedSettings();
    f[10] = QStringLiteral("Ja\u0141");
    EXPECT_EQ(save(f).code, 1);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], inputErrorMessage(QStringLiteral("Tecknet 'Ł' kan inte sparas!")));
    EXPECT_EQ(bytesOf(p.settings), before);

    r.shown.clear();
    CompanyFields c{};
    c[0] = QStringLiteral("Łódź Import");
    EXPECT_EQ(saveCompanyDetails(p, c, progress, r.show()).code, 1);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, QStringLiteral("Tecknet 'Ł' kan inte sparas!"));
    EXPECT_EQ(r.shown[0].title, QStringLiteral("INMATNINGSFEL"));
    EXPECT_EQ(bytesOf(p.company), QByteArray("\r\n").repeated(12));

    // The euro sign is in the code page.
    r.shown.clear();
    c[0] = QStringLiteral("Euro € AB");
    EXPECT_EQ(saveCompanyDetails(p, c, progress, r.show()).code, 0);
    EXPECT_TRUE(bytesOf(p.company).startsWith("Euro \x80 AB\r\n"));
}

TEST_F(SettingsTest, WholeKronorAnswerOtherThanJaOrNejIsStoredAsFel) {
    SettingsFields f = typedSettings();
    f[10] = QStringLiteral("JA");
    save(f);
    ASSERT_EQ(yearRecord().wholeKronor, 1);
    f[10] = QStringLiteral("kanske");
    const SaveOutcome out = save(f);
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(out.field11, QStringLiteral("FEL"));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], (Message{QStringLiteral("kanske"),
                                   QStringLiteral("Välj endast JA eller NEJ\n\nGå tillbaka till "
                                                  "'Inställningar' och välj på nytt!"),
                                   QStringLiteral("STOP"), QStringLiteral("OK")}));
    EXPECT_TRUE(bytesOf(p.settings).endsWith("\r\n50\r\nFEL\r\n"));
    EXPECT_EQ(yearRecord().wholeKronor, 1) << "the flag keeps its value";
    f[10] = QStringLiteral("nEj");
    EXPECT_EQ(save(f).field11, QStringLiteral("NEJ"));
    EXPECT_EQ(yearRecord().wholeKronor, 0);
}

TEST_F(SettingsTest, FailedWriteIsReportedAndTheRecordStays) {
    const QByteArray before = bytesOf(p.settings);
    SettingsFields f = typedSettings();
    f[5] = QStringLiteral("20");
    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("installningar.kdb")); });
    const SaveOutcome out = save(f);
    setWriteHook({});
    EXPECT_EQ(out.code, 3);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], (Message{QStringLiteral("STOPP"),
                                   QStringLiteral("Det gick inte att spara!\n\n2014/foretaget/"
                                                  "installningar.kdb\n\nIngenting har ändrats."),
                                   QStringLiteral("STOP"), QStringLiteral("OK")}));
    EXPECT_EQ(bytesOf(p.settings), before);
    EXPECT_TRUE(yearRecord().settings.isVatRate(25));
    EXPECT_FALSE(yearRecord().settings.isVatRate(20));

    r.shown.clear();
    CompanyFields c{};
    c[0] = QStringLiteral("Firma");
    progress = 3;
    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("foretaget.kdb")); });
    EXPECT_EQ(saveCompanyDetails(p, c, progress, r.show()).code, 3);
    setWriteHook({});
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], saveFailedMessage(QStringLiteral("2014/foretaget/foretaget.kdb")));
    EXPECT_EQ(progress, 3);
    EXPECT_EQ(yearRecord().company.name(), QString());
}

TEST_F(SettingsTest, ShortCompanyValuesSurviveLoadAndSave) {
    putBytes(p.company,
             "Ab\r\nBox 7\r\n123\r\nUme\xe5\r\nBo\r\n\r\n\r\n\r\n\r\nSEB\r\n1-2\r\n\r\nSE1\r\n");
    int progressAfterLoad = 3;
    loadYearRecord(p, QStringLiteral("/arbete"), progressAfterLoad);
    const CompanyDetails& c = yearRecord().company;
    EXPECT_EQ(c.name(), QStringLiteral("Ab"));
    EXPECT_EQ(c.lines[3], QStringLiteral("Umeå"));
    EXPECT_EQ(c.lines[4], QStringLiteral("Bo"));
    EXPECT_EQ(c.lines[9], QStringLiteral("SEB"));
    EXPECT_EQ(c.lines[12], QStringLiteral("SE1"));
    EXPECT_EQ(progressAfterLoad, 3) << "a two-character name is a name";

    const QByteArray stored = bytesOf(p.company);
    EXPECT_EQ(saveCompanyDetails(p, c.lines, progressAfterLoad, r.show()).code, 0);
    EXPECT_EQ(bytesOf(p.company), stored);
    EXPECT_EQ(progressAfterLoad, 0);
}

TEST_F(SettingsTest, OneCharacterNameLoadsEmptyAndRestartsTheFirstStart) {
    putBytes(p.company, "A\r\nGatan 1\r\n");
    int loadProgress = 0;
    loadYearRecord(p, QStringLiteral("/arbete"), loadProgress);
    EXPECT_EQ(yearRecord().company.name(), QString());
    EXPECT_EQ(yearRecord().company.lines[1], QStringLiteral("Gatan 1"));
    EXPECT_EQ(loadProgress, 1);
}

TEST_F(SettingsTest, LoadRulesForStoredSettingsAndBackupTarget) {
    // A stored file as older versions wrote it: the last line without its end
    // is not seen and field 11 reads as JA; an empty level reads as 50.
    putBytes(p.settings, "25\r\n32\r\n35\r\n3\r\n30\r\n25\r\n12\r\n6\r\nx\r\n\r\nNej");
    putBytes(p.backupPaths, "\r\n");
    int loadProgress = 0;
    loadYearRecord(p, QStringLiteral("/arbete"), loadProgress);
    EXPECT_EQ(yearRecord().settings.field(setting::houseWorkLevel), QStringLiteral("50"));
    EXPECT_EQ(yearRecord().settings.field(setting::wholeKronor), QStringLiteral("JA"));
    EXPECT_EQ(yearRecord().wholeKronor, 1);
    EXPECT_EQ(yearRecord().backupTarget, QStringLiteral("C:\\"));
    EXPECT_EQ(yearRecord().backupSource, QStringLiteral("/arbete"));

    // Missing files leave the record as it was.
    QFile::remove(p.settings);
    QFile::remove(p.company);
    loadYearRecord(p, QStringLiteral("/arbete"), loadProgress);
    EXPECT_EQ(yearRecord().settings.field(setting::wholeKronor), QStringLiteral("JA"));
}

TEST(SettingsValues, LenientReadingOfStoredPercentages) {
    Settings s;
    s.fields = {QStringLiteral("28.97"), QStringLiteral("abc"),  QStringLiteral("31.425"),
                QStringLiteral(" 3"),    QStringLiteral("30.5"), QStringLiteral("25"),
                QStringLiteral("2 5"),   QStringLiteral(""),     QStringLiteral("x"),
                QStringLiteral("50"),    QStringLiteral("JA")};
    EXPECT_EQ(s.percentHundredths(1), 2897);
    EXPECT_EQ(s.percentHundredths(2), 0);
    EXPECT_EQ(s.percentHundredths(3), 3142);
    EXPECT_EQ(s.percentHundredths(4), 300);
    EXPECT_EQ(s.percentHundredths(5), 3050);
    EXPECT_EQ(s.vatRates(), QList<int>{25});
    EXPECT_EQ(wholeKronorAnswer(QStringLiteral("jA")), QStringLiteral("JA"));
    EXPECT_EQ(wholeKronorAnswer(QStringLiteral("nej ")), QStringLiteral("FEL"));
}
