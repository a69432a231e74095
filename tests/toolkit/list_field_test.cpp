// Drop-down lists (index 0 the field part, items from 1, filling from a code
// page 1252 file, Swedish order) and the file operations of the fields.
#include "support/temp_dir.h"
#include "toolkit/toolkit.h"

namespace {

class ListFieldTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        window = tk::createWindow(QStringLiteral("Listor"), 0, 0, 400, 300, QStringLiteral("EMPTYLIST"));
        ASSERT_NE(window, 0);
    }
    void TearDown() override {
        tk::destroyWindow(window);
        tk::processEvents();
        TempDirTest::TearDown();
    }
    int list(const char* kind) { return tk::createList(window, 10, 10, 200, 150, QString::fromLatin1(kind)); }
    static QStringList items(int l) {
        QStringList out;
        for (int i = 1; i <= tk::itemCount(l); ++i) out << tk::item(l, i);
        return out;
    }

    int window = 0;
};

// "Öberg" and "Åkesson" sort after "Zetterlund" in Swedish, Å before Ä before Ö.
const QByteArray kCustomers = "Zetterlund AB\r\n\xD6" "berg\r\n\xC5kesson\r\nadamsson\r\n\xC4ngs Bygg\r\nBerg\r\n";

TEST_F(ListFieldTest, FillWithMinusOneInsertsEveryLineInFileOrder) {
    putBytes("kunder.kdb", kCustomers);
    const int l = list("READDROP");
    EXPECT_EQ(tk::fillListFromFile(l, -1, QStringLiteral("kunder.kdb")), 0);
    EXPECT_EQ(items(l), (QStringList{"Zetterlund AB", "Öberg", "Åkesson", "adamsson", "Ängs Bygg", "Berg"}));
    EXPECT_EQ(tk::item(l, 0), QString()) << "nothing chosen yet";
    EXPECT_EQ(tk::item(l, 7), QString());
}

TEST_F(ListFieldTest, SortedKindsKeepSwedishOrderIgnoringCase) {
    putBytes("kunder.kdb", kCustomers);
    const int l = list("READDROPSORT");
    ASSERT_EQ(tk::fillListFromFile(l, -1, QStringLiteral("kunder.kdb")), 0);
    EXPECT_EQ(items(l), (QStringList{"adamsson", "Berg", "Zetterlund AB", "Åkesson", "Ängs Bygg", "Öberg"}));
    // A later insert finds its sorted place whatever index it asks for.
    EXPECT_EQ(tk::setItem(l, 1, QStringLiteral("Carlsson")), 3);
    EXPECT_EQ(tk::item(l, 3), QStringLiteral("Carlsson"));
}

TEST_F(ListFieldTest, AnEmptyFirstLineGivesAnEmptyFirstItemAndAnUnterminatedLastLineCounts) {
    putBytes("lista.kdb", "\r\nEtt\r\nTv\xE5");
    const int l = list("WRITEDROP");
    ASSERT_EQ(tk::fillListFromFile(l, -1, QStringLiteral("lista.kdb")), 0);
    EXPECT_EQ(items(l), (QStringList{"", "Ett", "Två"}));
}

TEST_F(ListFieldTest, IndexZeroAndNOfTheFillAndMissingFiles) {
    putBytes("text.kdb", "Rad 1\r\nRad 2\r\n");
    const int l = list("WRITEDROP");
    tk::setItem(l, 1, QStringLiteral("Första"));
    EXPECT_EQ(tk::fillListFromFile(l, 0, QStringLiteral("text.kdb")), 0);
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Rad 1\nRad 2\n"));
    EXPECT_EQ(tk::fillListFromFile(l, 1, QStringLiteral("text.kdb")), 0);
    EXPECT_EQ(items(l), (QStringList{"Rad 1\nRad 2\n", "Första"}));
    EXPECT_EQ(tk::fillListFromFile(l, -1, QStringLiteral("saknas.kdb")), 2);
    EXPECT_EQ(tk::itemCount(l), 2) << "a missing file changes nothing";
}

TEST_F(ListFieldTest, FieldPartSelectionAndClear) {
    const int l = list("READDROP");
    EXPECT_EQ(tk::setItem(l, 1, QStringLiteral("Bank")), 1);
    EXPECT_EQ(tk::setItem(l, 2, QStringLiteral("Kassa")), 2);
    EXPECT_EQ(tk::setItem(l, 1, QStringLiteral("Plusgiro")), 1) << "inserted before Bank";
    EXPECT_EQ(tk::setItem(l, 99, QStringLiteral("Sparkonto")), 4) << "beyond the end: appended";
    EXPECT_EQ(items(l), (QStringList{"Plusgiro", "Bank", "Kassa", "Sparkonto"}));
    EXPECT_EQ(tk::selectItem(l, QStringLiteral("ka")), 3);
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Kassa"));
    EXPECT_EQ(tk::selectedIndex(l), 3);
    EXPECT_EQ(tk::selectItem(l, QStringLiteral("X")), 0);
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Kassa")) << "no match leaves the choice";
    tk::setItem(l, 0, QStringLiteral("Bank"));
    EXPECT_EQ(tk::selectedIndex(l), 2);
    tk::setItem(l, 0, QStringLiteral("Okänt konto"));
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Okänt konto"));
    EXPECT_EQ(tk::selectedIndex(l), 0);
    tk::clearList(l);
    EXPECT_EQ(tk::itemCount(l), 0);
}

TEST_F(ListFieldTest, EditableListKeepsItsTypedTextWhenItemsComeAndGo) {
    const int l = list("WRITEDROPSORT");
    tk::setItem(l, 0, QStringLiteral("Ny kund"));
    tk::setItem(l, 1, QStringLiteral("Berg"));
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Ny kund"));
    tk::clearList(l);
    EXPECT_EQ(tk::item(l, 0), QStringLiteral("Ny kund"));
}

TEST_F(ListFieldTest, FieldLoadsTheFirstLineOfACp1252FileAndSavesWithoutLineEnd) {
    const int f = tk::createField(window, 10, 200, 100, 20, QStringLiteral("NR"), 6);
    putBytes("_ver.kdb", "17");
    EXPECT_EQ(tk::loadFieldFile(f, QStringLiteral("_ver.kdb")), 0);
    EXPECT_EQ(tk::text(f), QStringLiteral("17"));
    putBytes("namn.kdb", "V\xE4rnamo \x80 AB\r\nandra raden\r\n");
    EXPECT_EQ(tk::loadFieldFile(f, QStringLiteral("namn.kdb")), 0);
    EXPECT_EQ(tk::text(f), QStringLiteral("Värnamo € AB")) << "longer than the typed limit, kept whole";
    EXPECT_EQ(tk::loadFieldFile(f, QStringLiteral("saknas.kdb")), 2);
    EXPECT_EQ(tk::text(f), QStringLiteral("Värnamo € AB"));
    putBytes("stor.kdb", QByteArray(70000, 'x'));
    EXPECT_EQ(tk::loadFieldFile(f, QStringLiteral("stor.kdb")), 4);
    EXPECT_EQ(tk::saveFieldFile(f, QStringLiteral("ut.kdb")), 0);
    EXPECT_EQ(bytesOf("ut.kdb"), QByteArray("V\xE4rnamo \x80 AB"));
}

TEST_F(ListFieldTest, CheckBoxesAndRadioButtonsCheckThemselvesAndSendTheirCommand) {
    std::vector<int> commands;
    tk::WindowProcedure proc;
    proc.onCommand = [&commands](int c) { commands.push_back(c); };
    tk::setWindowProcedure(window, proc);
    const int box = tk::createCheckBox(window, 10, 250, QStringLiteral("SQUARE"), QStringLiteral("Hela kronor"), 2000);
    EXPECT_FALSE(tk::isChecked(box));
    EXPECT_EQ(tk::pressButton(box), 0);
    EXPECT_TRUE(tk::isChecked(box));
    EXPECT_EQ(commands, std::vector<int>{2000});
    tk::uncheck(box);
    EXPECT_FALSE(tk::isChecked(box));
    tk::check(box);
    EXPECT_TRUE(tk::isChecked(box));
    EXPECT_EQ(tk::text(box), QStringLiteral("Hela kronor"));
}

} // namespace
