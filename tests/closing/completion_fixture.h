#pragma once
// Two years as the program makes them, 2014 (the year closed) and 2015 (the
// year it is carried into), each with every vital file, stamps and second
// copies and the six default money accounts; helpers to fill the closed
// year, to look at both years at once and to start the program on either.
#include "reports/closing_fixture.h"

#include "closing/year_completion.h"
#include "store/years.h"

class CompletionTest : public ClosingTest {
  protected:
    void SetUp() override {
        ClosingTest::SetUp();
        makeNext();
    }

    // A year as the program creates it, in the current directory.
    static void makeYearAt(const mv::PathTable& p) {
        for (const QString& d : {p.bokforingDir, p.fskDir, p.fakturorDir, p.foretagetDir,
                                 p.fritextDir, p.kontolistorDir, p.kunderDir, p.leverantorerDir})
            ASSERT_TRUE(QDir().mkpath(d));
        for (int i = 1; i <= 6; ++i)
            ASSERT_EQ(mv::writeText(p.moneyAccountName(i),
                                    mv::defaultMoneyAccountNames()[i - 1] + QStringLiteral("\n")),
                      0);
        ASSERT_EQ(mv::createMissingVitalFiles(p), 0);
        ASSERT_TRUE(mv::renewStamps(p).ok());
        ASSERT_TRUE(mv::renewSecondCopies(p).ok());
    }
    // The year 2015 in the current directory.
    void makeNext() { makeYearAt(next); }

    // Both years made afresh in the current directory.
    void makeBoth() {
        paths = mv::buildPathTable(QStringLiteral("2014"));
        makeYear();
        makeNext();
    }

    // Seals both years as they stand (files written by the test).
    void restampBoth() {
        for (const mv::PathTable& p : {paths, next}) {
            ASSERT_TRUE(mv::renewStamps(p).ok());
            ASSERT_TRUE(mv::renewSecondCopies(p).ok());
        }
    }

    // A closed year with something of every carried kind:
    // money 12500.00 + 480.00, loans from the bank 20000 + 5000 - 3000,
    // stock counted 10000 (write-down 3 %), assets 20000 + 10000 (30 %),
    // VAT 2500 - 1000 with -200.00 carried in, receivables and payables,
    // invoices 9000 to 9004 with 9002 paid and an unpaid claim 9005_BU.
    void fillClosedYear() {
        putAmount(paths.moneyAccountAmount(1), "12500.00");
        putAmount(paths.moneyAccountAmount(3), "480.00");
        putAmount(paths.cash, "12980.00");
        putAccount("Inlåning, Från bank", "20000.00");
        putAmount(paths.loanCarried(QStringLiteral("Inlåning, Från bank")), "5000.00");
        putAccount("Utgift, Betalning av Inlåning, Från bank", "3000.00");
        putClosing("inventering_varde", "10000");
        put(paths.closing("inventering"), QStringLiteral("VARULAGER 2014\n\nlistan\n"));
        putClosing("fga_inventarievarde", "20000.00");
        putAccount("Utgift, Inventarier (med avskr)", "10000.00");
        put(paths.closing("inventarielista_avskr"),
            QStringLiteral("INVENTARIELISTA 2014\n\nrad\n"));
        putAmount(paths.outputVat(25), "2500.00");
        putAmount(paths.inputVat(25), "1000.00");
        putClosing("fga_moms_skillnad", "-200.00");
        putClosing("Kundfordringar", "4000.00");
        putClosing("KundfordringarMoms", "1000.00");
        putClosing("Leverantorsskulder", "800.00");
        putClosing("LeverantorsskulderMoms", "200.00");
        for (const char* n : {"9000", "9001", "9003", "9004"})
            put(paths.invoice(QString::fromUtf8(n)), QStringLiteral("FAKTURA ") + n + "\n");
        put(paths.invoice("9002_BETALD"), QStringLiteral("FAKTURA 9002\n"));
        put(paths.invoice("9005_BU"), QStringLiteral("BOKFÖRINGSUPPDRAG 9005\n"));
        put(paths.invoiceCounter, QStringLiteral("9005\n"));
        put(paths.verCounter, QStringLiteral("56"));
        restampBoth();
    }

    mv::CompletionOutcome complete() { return mv::completeYear(paths, next, settings); }

    // Every file of a year folder (second copies, repair folders, stamp,
    // digest record and shut-down mark left out).
    static QMap<QString, QByteArray> snapshotOf(const QString& yearDir) {
        QMap<QString, QByteArray> m;
        QDirIterator it(yearDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            if (p.contains(QStringLiteral("/fsk")) || p.contains(QStringLiteral("/reparation_")) ||
                p.endsWith(QStringLiteral("__A_tidsstampel.kdb")) ||
                p.endsWith(QStringLiteral("__A_kontrollsummor.kdb")) ||
                p.endsWith(QStringLiteral("__A_avstangkontroll.kdb")))
                continue;
            m.insert(p, bytesOf(p));
        }
        return m;
    }
    QMap<QString, QByteArray> snapshotBoth() const {
        QMap<QString, QByteArray> m = snapshotOf(paths.yearDir);
        m.insert(snapshotOf(next.yearDir));
        return m;
    }

    // The start of the program with `year` selected after a crash: the
    // recovery of an unfinished change, then the integrity check (which
    // repairs the year when it must) and the bookings' own recovery.
    static void startYear(const mv::PathTable& year) {
        mv::setWriteHook({});
        ASSERT_EQ(mv::recoverInterruptedChange(), 0);
        int abortKey = 0;
        bool shutdownCheckDone = true;
        mv::checkIntegrity(year, abortKey, shutdownCheckDone,
                           [](const mv::Message&) { return mv::answerNo; });
        ASSERT_EQ(mv::recoverInterruptedBooking(year), 0);
        ASSERT_FALSE(mv::changeInProgress(year));
    }

    static int integrityOf(const mv::PathTable& year) {
        int abortKey = 0;
        bool shutdownCheckDone = true;
        return mv::checkIntegrity(year, abortKey, shutdownCheckDone,
                                  [](const mv::Message&) { return mv::answerNo; })
            .sum;
    }

    // The vital files of a year whose second copy differs from the book.
    static QStringList copiesDiffering(const mv::PathTable& year) {
        QStringList out;
        for (const mv::VitalFile& f : mv::vitalFiles(year))
            if (f.copied && bytesOf(mv::joinPath(year.bokforingDir, f.name)) !=
                                bytesOf(year.secondCopy(f.name)))
                out << f.name;
        return out;
    }

    mv::PathTable next = mv::buildPathTable(QStringLiteral("2015"));
};
