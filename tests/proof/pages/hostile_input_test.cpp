// Hostile input through the real pages: names that would leave their folder
// or cannot be file names, amounts that are not plain numbers, impossible
// dates and years, and writes the disk refuses. Each row must show its exact
// message and leave every byte of the data directory as it was.
#include "invoicing/pages/invoice_page_fixture.h"

#include "booking/pages/booking_pages.h"
#include "store/record_file.h"

#include <QDirIterator>

#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using bookingui::entryControls;
using mv::Side;

struct Row {
    QString what;
    std::function<void()> act; // the input and the save, on the open page
    QString title;
    QString text;
    // The message goes on with the name of the file that could not be
    // written, which depends on where the disk said no.
    bool textGoesOn = false;
};

QString u(const char* s) { return QString::fromUtf8(s); }

// Every file below the data directory, path to bytes.
QMap<QString, QByteArray> everyByte() {
    QMap<QString, QByteArray> m;
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        QFile f(p);
        m.insert(p, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable"));
    }
    return m;
}

const QString badAmountText = u("Felaktigt belopp!\n\nSkriv beloppet med siffror, till exempel 1250.50");
const QString badDateText = u("Felaktigt datum!\n\nSkriv datumet som ÅÅÅÅ-MM-DD, till exempel 2014-03-07");
const QString badNameText = u("Namnet kan inte användas!\n\nTecknen / och \\ och namn som börjar med punkt är "
                              "inte tillåtna.");
const QString netTooLargeText =
    u("Max 1.000.000 kr kan matas in!\n\nVid större belopp dela upp det på fler inmatningar!");
const QString zeroTotalText = u("\n\nDet går ej att spara med  '0.00'  som summa.");
const QString customerNameText = u("Kundnamnet kan inte användas!\n\nNamnet blir ett filnamn: tecknen / \\ : * ? "
                                   "\" < > |, två punkter i rad och namn som börjar med punkt eller slutar "
                                   "med blank eller punkt är inte tillåtna.");

// The income or expense form filled as typed, then "Spara".
void saveEntry(Side side, const QString& net, const QString& rate, const QString& date,
                      const QString& name, const QString& ore = QString()) {
    const bookingui::EntryControls& c = entryControls(side);
    uitest::pressCommand(side == Side::Income ? 1037 : 1045); // "Rensa"
    tk::setText(c.net, net);
    tk::setText(c.rate, rate);
    tk::setText(c.eventDate, date);
    tk::setText(c.name, name);
    if (!ore.isEmpty()) {
        tk::setText(c.sign, QStringLiteral("+"));
        tk::setText(c.ore, ore);
    }
    tk::showControl(c.saveButton);
    tk::enableControl(c.saveButton);
    uitest::pressCommand(side == Side::Income ? 1041 : 1044);
}
class HostileInputTest : public InvoicePageFixture {
  protected:
    // Runs the rows on the page `open` shows; counts them.
    void runRows(const std::function<void()>& open, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what.left(80).toStdString());
            open();
            uitest::settle();
            const auto before = everyByte();
            uitest::clearBoxes();
            row.act();
            uitest::settle();
            ASSERT_FALSE(uitest::boxes().empty()) << "no message";
            EXPECT_EQ(uitest::boxes()[0].title, row.title);
            if (row.textGoesOn) {
                EXPECT_TRUE(uitest::boxes()[0].text.startsWith(row.text)) << uitest::boxes()[0].text.toStdString();
            } else {
                EXPECT_EQ(uitest::boxes()[0].text, row.text);
            }
            EXPECT_EQ(everyByte(), before) << "the data directory changed";
            ++rowsRun;
        }
    }

    static Row income(const QString& what, const QString& net, const QString& date, const QString& name,
                      const char* title, const QString& text, const QString& ore = QString()) {
        return {what, [=] { saveEntry(Side::Income, net, QStringLiteral("25"), date, name, ore); }, u(title), text};
    }
    static Row amount(const char* typed, const char* title = "INMATNINGSFEL", const QString& text = badAmountText) {
        return income(u("amount ") + u(typed), u(typed), u("2014-03-07"), QString(), title, text);
    }
    static Row date(const char* typed) {
        return income(u("date ") + u(typed), u("100"), u(typed), QString(), "INMATNINGSFEL", badDateText);
    }
    // A character no stored line may hold, refused by the save with its message.
    static Row character(const QString& what, const QString& net, const QString& date, const QString& name,
                         const QString& refused) {
        return income(what, net, date, name, "INMATNINGSFEL", u("Tecknet '") + refused + u("' kan inte sparas!"));
    }
    static Row name(const QString& what, const QString& typed) {
        return income(u("name ") + what, u("100"), u("2014-03-07"), typed, "INMATNINGSFEL", badNameText);
    }

    void openIncome() { uitest::sendCommand(1036); }

    int rowsRun = 0;
};

// Names, amounts and dates of the income page.
TEST_F(HostileInputTest, IncomePage) {
    start();
    const QString longName(10000, u'A');
    runRows([this] { openIncome(); },
            {
                name(u("with /"), u("a/b")),
                name(u("with \\"), u("a\\b")),
                name(u(".."), u("..")),
                name(u("leaving its folder"), u("../foretaget/faktura")),
                name(u("windows style"), u("..\\..\\bokforing\\_ver")),
                name(u("leading dot"), u(".dold")),
                character(u("name with a tab"), u("100"), u("2014-03-07"), u("Kalle\tAnka"), u("\t")),
                character(u("name with a line feed"), u("100"), u("2014-03-07"), u("Kalle\nAnka"), u("\n")),
                character(u("name with a carriage return"), u("100"), u("2014-03-07"), u("Kalle\rAnka"), u("\r")),
                character(u("name with NUL"), u("100"), u("2014-03-07"), QStringLiteral("Kalle") + QChar(0) + u("Anka"), QString(QChar(0))),
                character(u("name with escape"), u("100"), u("2014-03-07"), u("Kalle\x1b" "Anka"), u("\x1b")),
                name(u("10,000 characters"), longName),
                amount("1 000"),
                amount("1.000,50"),
                amount("1e308"),
                amount("1E5"),
                amount("nan"),
                amount("NaN"),
                amount("inf"),
                amount("-inf"),
                amount("0x10"),
                amount("12,34,56"),
                amount("+-5"),
                amount("--5"),
                amount("5-"),
                amount("1.2.3"),
                character(u("amount in full-width digits"), u("１２３"), u("2014-03-07"), QString(), u("１")),
                character(u("amount in full-width digits and point"), u("１２３.５０"), u("2014-03-07"), QString(), u("１")),
                amount("99999999999999999999"),
                amount("1000000.01", "INMATNINGSFEL", netTooLargeText),
                amount("-0", "STOPP", zeroTotalText),
                amount("-0.00", "STOPP", zeroTotalText),
                income(u("rounding nan"), u("100"), u("2014-03-07"), QString(), "INMATNINGSFEL", badAmountText, u("nan")),
                income(u("rounding 1e308"), u("100"), u("2014-03-07"), QString(), "INMATNINGSFEL", badAmountText,
                       u("1e308")),
                date("2014-02-30"),
                date("14-03-07"),
                date("2014-02-29"),
                date("2014-13-01"),
                date("2014-00-10"),
                date("2014-03-32"),
                date("20140307"),
                date("2014-3-7"),
                date("2014-03-07x"),
                character(u("date in full-width digits"), u("100"), u("２０１４-０３-０７"), QString(), u("２")),
            });
    std::printf("income page: %d hostile rows\n", rowsRun);
}

// The expense page shares its checks; a few rows prove it uses them.
TEST_F(HostileInputTest, ExpensePage) {
    start();
    auto expense = [](const char* what, const char* net, const char* date, const char* name, const QString& text) {
        return Row{u(what), [=] { saveEntry(Side::Expense, u(net), u("25"), u(date), u(name)); },
                   u("INMATNINGSFEL"), text};
    };
    runRows([] { uitest::sendCommand(1042); },
            {
                expense("supplier with /", "100", "2014-03-07", "Bygg/AB", badNameText),
                expense("supplier ..", "100", "2014-03-07", "..", badNameText),
                expense("amount nan", "nan", "2014-03-07", "", badAmountText),
                expense("amount 1e308", "1e308", "2014-03-07", "", badAmountText),
                expense("date 2014-02-30", "100", "2014-02-30", "", badDateText),
            });
    std::printf("expense page: %d hostile rows\n", rowsRun);
}

// Customer names become file names of the register.
TEST_F(HostileInputTest, CustomerPage) {
    start();
    auto customer = [](const QString& what, const QString& typed, const char* title, const QString& text) {
        return Row{what,
                   [=] {
                       tk::setText(tk::focusedControl(), typed);
                       uitest::pressCommand(1024);
                   },
                   u(title), text};
    };
    auto unusable = [&](const char* what, const QString& typed) {
        return customer(u(what), typed, "Mata in ny kund", customerNameText);
    };
    runRows(
        [] {
            uitest::sendCommand(1015);
            uitest::pressCommand(1023);
        },
        {
            unusable("with /", u("a/b")),
            unusable("with \\", u("a\\b")),
            unusable("..", u("..")),
            unusable("leaving its folder", u("../bokforing/_ver")),
            unusable("leading dot", u(".kund")),
            unusable("control character", u("Kund\x01" "Ett")),
            unusable("ending with a dot", u("Kund.")),
            unusable("10,000 characters", QString(10000, u'K')),
            customer(u("empty"), QString(), "Mata in ny kund", u("Kundnamn saknas!        ")),
        });
    std::printf("customer page: %d hostile rows\n", rowsRun);
}

// The years typed on the create-year page.
TEST_F(HostileInputTest, CreateYearPage) {
    start();
    auto year = [](const char* typed, const char* text) {
        return Row{u("year ") + u(typed),
                   [=] {
                       tk::setText(tk::focusedControl(), u(typed));
                       uitest::pressCommand(1017);
                   },
                   u("MEDDELANDE"), u(text)};
    };
    const char* fourDigits = "Året måste bestå av 4 siffror!\n\n";
    runRows([] { uitest::sendCommand(1016); },
            {
                year("2abc", fourDigits),
                year("99999", fourDigits),
                year("201", fourDigits),
                year("20 4", fourDigits),
                year("２０１５", fourDigits),
                year("-201", fourDigits),
                year("0000", "Årtalet måsta vara på 2000-talet!\n\n"),
                year("1999", "Årtalet måsta vara på 2000-talet!\n\n"),
            });
    std::printf("create-year page: %d hostile rows\n", rowsRun);
}

// Characters code page 1252 cannot hold, typed into the fields (refused at
// the key) or standing in a field when "Spara" is pressed (refused by the save).
TEST_F(HostileInputTest, CharactersAStoredFileCannotHold) {
    start();
    auto typed = [](const QString& what, const QString& text, const QString& refused) {
        return Row{u("typed ") + what,
                   [=] {
                       const bookingui::EntryControls& c = entryControls(Side::Income);
                       tk::setFocus(c.name);
                       tk::setText(c.name, QString());
                       uitest::typeText(text);
                       EXPECT_FALSE(tk::text(c.name).contains(refused)) << "the character went in";
                   },
                   u("INMATNINGSFEL"), u("Tecknet '") + refused + u("' kan inte sparas!")};
    };
    auto saved = [](const QString& what, const QString& name, const QString& refused) {
        return Row{u("saved ") + what,
                   [=] { saveEntry(Side::Income, u("100"), u("25"), u("2014-03-07"), name); },
                   u("INMATNINGSFEL"), u("Tecknet '") + refused + u("' kan inte sparas!")};
    };
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    const QString zeroWidth = QString(QChar(0x200B));
    runRows([this] { openIncome(); },
            {
                typed(u("ő"), u("Erdős"), u("ő")),
                typed(u("an emoji"), u("Glad ") + emoji, emoji),
                typed(u("a zero-width space"), u("Kalle") + zeroWidth + u("Anka"), zeroWidth),
                typed(u("Cyrillic"), u("Иван"), u("И")),
                saved(u("ő"), u("Erdős"), u("ő")),
                saved(u("a zero-width space"), u("Kalle") + zeroWidth + u("Anka"), zeroWidth),
            });
}

// Writes the disk refuses: a disk with no room left, a data directory that
// cannot be written. The save is told and nothing changes.
void saveIncomeThroughTheCashStep() {
    saveEntry(Side::Income, u("100"), u("25"), u("2014-03-07"), QString());
    uitest::pressCommand(1049); // the amount onto the first money account
    uitest::pressCommand(1031);
}

TEST_F(HostileInputTest, FullDisk) {
    start();
    Row full{u("full disk"),
             [] {
                 // No file may grow by a single byte.
                 std::signal(SIGXFSZ, SIG_IGN);
                 rlimit old{};
                 ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
                 rlimit none = old;
                 none.rlim_cur = 0;
                 ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
                 saveIncomeThroughTheCashStep();
                 ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
             },
             u("STOPP"), u("Det gick inte att spara!\n\n"), true};
    runRows([this] { openIncome(); }, {full});
}

TEST_F(HostileInputTest, ReadOnlyDataDirectory) {
    // The data directory on a file system of its own, made read-only while
    // the program runs (a permission bit would not stop this test's user).
    const QString home = QDir::currentPath();
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("ro")));
    const QByteArray point = QFile::encodeName(home + QStringLiteral("/ro"));
    if (mount("tmpfs", point.constData(), "tmpfs", 0, "size=8m") != 0)
        GTEST_SKIP() << "this machine does not let the test mount a file system";
    for (const QString& entry : QDir(home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (entry != QStringLiteral("ro")) {
            const int copied = QFileInfo(entry).isDir()
                                   ? mv::copyTree(QStringLiteral("ro"), entry)
                                   : mv::copyFile(QStringLiteral("ro/") + entry, entry, QStringLiteral("SAVE_IF_EXIST"));
            ASSERT_EQ(copied, 0) << entry.toStdString();
        }
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral("ro")));
    start();
    Row readOnly{u("read-only data directory"),
                 [&] {
                     ASSERT_EQ(mount("tmpfs", point.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
                     saveIncomeThroughTheCashStep();
                     ASSERT_EQ(mount("tmpfs", point.constData(), "tmpfs", MS_REMOUNT, nullptr), 0);
                 },
                 u("STOPP"), u("Det gick inte att spara!\n\n"), true};
    runRows([this] { openIncome(); }, {readOnly});
    ASSERT_TRUE(QDir::setCurrent(home));
    EXPECT_EQ(umount2(point.constData(), MNT_DETACH), 0);
}

} // namespace
