#pragma once
// A data directory as a user's looks after some weeks of work: the years 2014
// (selected, with bookings, a customer, an article register and an invoice)
// and 2015 (created, empty), a backup target beside it holding an older
// backup. Each case is built once as a template and copied (file times kept,
// so each copy passes its check as made); helpers start the program on a
// copy the way a user does after a crash and read the books back.
#include "books_audit.h"

#include "closing/completion_fixture.h"
#include "invoicing/article_register.h"
#include "invoicing/customer_register.h"
#include "invoicing/invoice_draft.h"
#include "invoicing/invoice_save.h"
#include "store/backup.h"
#include "store/leftovers.h"

#include <QFile>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

class ProofTest : public CompletionTest {
  public:
    static QString u(const char* s) { return QString::fromUtf8(s); }

    // The working directory's parent: data/, target/ and the restore folder.
    static QString runFolder() { return QDir::cleanPath(QDir::currentPath() + QStringLiteral("/..")); }
    static QString target() { return runFolder() + QStringLiteral("/target"); }

    // The settings of the year as the invoicing reads them.
    void loadRecord() {
        int progress = 0;
        mv::loadYearRecord(paths, QStringLiteral("."), progress);
    }

    // A standard invoice of two rows at 25 %.
    static mv::InvoiceDraft invoiceDraft(const char* number, const char* customer) {
        mv::InvoiceDraft d;
        d.kind = mv::InvoiceKind::Standard;
        d.date = QStringLiteral("2014-03-07");
        d.number = u(number);
        d.name = u(customer);
        d.street = u("Ankgatan 13");
        d.postcode = u("12345");
        d.town = u("Ankeborg");
        d.rows[0] = {u("Arbete"), u("2.00"), u("150.00")};
        d.rows[1] = {u("Skruv"), u("1.50"), u("0.33")};
        d.rows[10].sort = u(" ");
        d.rows[11].sort = u(" ");
        d.vatPercent = u("25");
        return d;
    }
    // Ten hours at 500.00 with the house-work deduction of 50 %.
    static mv::InvoiceDraft houseWorkDraft(const char* number) {
        mv::InvoiceDraft d = invoiceDraft(number, "Eva Ek");
        d.kind = mv::InvoiceKind::HouseWork;
        d.header = {u("Information för Skatteverket!"), u("Preliminär skattereduktion för Husarbeten:"),
                    u(" "), u("Eva Ek 19700101-1234"), QString(), QString()};
        d.rows[0] = {u("Arbetskostnad timmar x kostnad"), u("10.00"), u("500.00")};
        d.rows[1] = {};
        d.rows[10].sort = u("Preliminär skattereduktion");
        d.rows[11].sort = u("för Husarbeten till BU ") + QString::number(QString::fromUtf8(number).toInt() + 1);
        d.rows[12].sort = u(" ");
        d.deductionPercent = u("50");
        // What the claim file needs: the buyer, the work and its hours, the property.
        d.houseWork = {u("19700101-1233"), u("ROT, Bygg"), u("10"), u("Vännäs Byn 1:23"), {}, {}};
        return d;
    }

    // The world in the current directory (which becomes data/ of folder).
    void buildWorld() {
        makeBoth();
        ASSERT_EQ(mv::writeText(mv::drive::selectedYear, QStringLiteral("2014\n")), 0);
        ASSERT_EQ(mv::writeText(mv::drive::createdYears, QStringLiteral("2014\n2015\n")), 0);
        ASSERT_EQ(mv::writeText(paths.settings, mv::defaultSettingsText()), 0);
        restampBoth();
        loadRecord();
        mv::EntryForm income = form(mv::Side::Income, "Inkomst, Annat", "800", "25");
        income.name = u("Gammal Kund");
        income.freeText = u("Konsult");
        ASSERT_EQ(book(income, 0), 1);
        ASSERT_EQ(book(form(mv::Side::Expense, "Utgift, Varor o material", "300", "25"), 3), 2);
        ASSERT_TRUE(mv::saveCustomer(paths, {u("Kund Ett"), u("Gatan 1"), u("12345"), u("Byn"), {}, {}, {}}, {}));
        ASSERT_TRUE(mv::startArticleRegister(paths, [](const mv::Message&) { return mv::answerOk; }));
        ASSERT_TRUE(mv::saveArticle(paths, {u("1"), u("Skruv"), u("100"), u("0.50")}, {}).saved);
        ASSERT_TRUE(mv::saveInvoice(paths, invoiceDraft("14001", "Kalle Anka"), false, {}).saved);
        // The running program has marked the year as in use.
        ASSERT_EQ(mv::backup::writeShutdownMark(paths, true), 0);
    }

    // A backup target with a backup older than the books.
    void buildTarget() {
        ASSERT_TRUE(QDir().mkpath(target()));
        ASSERT_TRUE(mv::backup::makeBackup(QStringLiteral("."), target()).ok);
        ASSERT_EQ(book(form(mv::Side::Income, "Inkomst, Annat", "100", "25"), 1), 3);
    }

    // Copies the folder's tree with every file's last-write time to the
    // nanosecond, quickly (no sync: these are scratch copies).
    static void copyKeepingTimes(const QString& from, const QString& to) {
        namespace fs = std::filesystem;
        const fs::path source = from.toStdString(), target = to.toStdString();
        fs::create_directories(target);
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(source)) {
            const fs::path dest = target / fs::relative(e.path(), source);
            if (e.is_directory()) {
                fs::create_directories(dest);
                continue;
            }
            fs::copy_file(e.path(), dest);
            struct stat st {};
            ASSERT_EQ(::stat(e.path().c_str(), &st), 0);
            const timespec times[2] = {st.st_atim, st.st_mtim};
            ASSERT_EQ(::utimensat(AT_FDCWD, dest.c_str(), times, 0), 0);
        }
    }

    // Makes <base>/<folder> a copy of the template <base>/<templateName>,
    // building that first with prepare when it is not there, and changes
    // into its data/ folder.
    template <class Prepare>
    void fresh(const QString& templateName, const QString& folder, Prepare prepare) {
        ASSERT_TRUE(QDir::setCurrent(base_));
        if (!QFileInfo::exists(templateName)) {
            ASSERT_TRUE(QDir().mkpath(templateName + QStringLiteral("/data")));
            ASSERT_TRUE(QDir::setCurrent(templateName + QStringLiteral("/data")));
            buildWorld();
            prepare();
            ASSERT_TRUE(QDir::setCurrent(base_));
        }
        std::error_code e;
        std::filesystem::remove_all(folder.toStdString(), e);
        ASSERT_FALSE(e) << e.message();
        copyKeepingTimes(templateName, folder);
        ASSERT_TRUE(QDir::setCurrent(folder + QStringLiteral("/data")));
        loadRecord();
    }

    // What a user has: every file of the data directory (second copies,
    // repair folders, stamps, digest records, shut-down marks and the stock
    // count's work file left out), the backup a restore would find and the
    // restore folder. Keys are relative to the run folder.
    static QMap<QString, QByteArray> view() {
        QMap<QString, QByteArray> m;
        const QString run = runFolder();
        auto add = [&](const QString& folder, const QString& as, bool books) {
            if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
            QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString p = it.next();
                const QString rel = QDir(folder).relativeFilePath(p);
                if (books && (rel.contains(QStringLiteral("/fsk")) || rel.contains(QStringLiteral("/reparation_")) ||
                              rel.endsWith(QStringLiteral("__A_tidsstampel.kdb")) ||
                              rel.endsWith(QStringLiteral("__A_kontrollsummor.kdb")) ||
                              rel.endsWith(QStringLiteral("__A_avstangkontroll.kdb")) ||
                              rel == QStringLiteral("drive_info/temp.kdb")))
                    continue;
                m.insert(as + rel, bytesOf(p));
            }
        };
        add(run + QStringLiteral("/data"), QStringLiteral("data/"), true);
        add(mv::backup::findBackupFolder(target()), QStringLiteral("backup/"), false);
        add(mv::backup::restoreFolder(run + QStringLiteral("/data")), QStringLiteral("restore/"), false);
        return m;
    }

    // The years of the data directory.
    static std::vector<mv::PathTable> years() {
        std::vector<mv::PathTable> out;
        for (const QString& y : mv::createdYears())
            if (QFileInfo(y).isDir()) out.push_back(mv::buildPathTable(y));
        return out;
    }

    // The program started on the data as a user starts it after a crash:
    // an unfinished change taken back, leftovers removed, an interrupted swap
    // of second copies finished, then the selected year's first check (the
    // unclean shut-down found, the year repaired from its second copies), the
    // bookings' own recovery; and the other years' checks as each is opened.
    // withShutdownCheck: the selected year's first check reads the shut-down
    // mark the crash left ("1") and repairs the year from its second copies
    // as after any unclean end; without it the check compares the files only.
    static void startProgram(bool withShutdownCheck = true) {
        mv::setWriteHook({});
        ASSERT_EQ(mv::recoverInterruptedChange(), 0);
        ASSERT_EQ(mv::cleanLeftovers().failures, 0);
        for (const mv::PathTable& y : years()) mv::recoverSecondCopies(y);
        for (const mv::PathTable& y : years()) {
            int abortKey = 0;
            bool shutdownCheckDone = !withShutdownCheck;
            mv::checkIntegrity(y, abortKey, shutdownCheckDone, [](const mv::Message&) { return mv::answerNo; });
            ASSERT_EQ(mv::recoverInterruptedBooking(y), 0);
            ASSERT_FALSE(mv::changeInProgress(y));
        }
    }

    // "" when every year passes its check with second copies equal to its
    // books and every invariant of its books holds, and nothing temporary is
    // left in the data directory; else what is wrong.
    static QString soundness() {
        if (!leftovers().isEmpty()) return QStringLiteral("left behind: ") + leftovers().join(u',');
        for (const mv::PathTable& y : years()) {
            if (integrityOf(y) != 0) return y.year + QStringLiteral(" fails its check");
            if (!copiesDiffering(y).isEmpty())
                return y.year + QStringLiteral(" copies differ: ") + copiesDiffering(y).join(u',');
            if (const QString d = audit::auditYear(y); !d.isEmpty()) return d;
        }
        return QString();
    }

    // The files in which two views differ, for failure messages.
    static QString differences(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b) {
        QStringList out;
        for (auto it = a.begin(); it != a.end(); ++it)
            if (!b.contains(it.key()) || b.value(it.key()) != it.value()) out << it.key();
        for (auto it = b.begin(); it != b.end(); ++it)
            if (!a.contains(it.key())) out << it.key();
        if (!out.isEmpty() && qEnvironmentVariableIsSet("MERVALLA_PROOF_TRACE"))
            out << QString::fromLatin1("\n" + a.value(out[0]).left(800) + "\n---\n" + b.value(out[0]).left(800));
        return out.join(u' ');
    }

    // The verification blocks confirmed in `before` are all in `state`:
    // each year's day book only grew.
    static QString lostVerifications(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& state) {
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (!it.key().endsWith(QStringLiteral("/bokforing/_dagbok.kdb")) || !it.key().startsWith(u"data/"))
                continue;
            if (!state.value(it.key()).startsWith(it.value())) return it.key();
        }
        return QString();
    }

    QString base_;
};
