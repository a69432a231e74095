#pragma once
// The year 2014 for the entry-page tests: folders, default settings, a
// company name and the six default money accounts; start() stamps the year
// so that the guarded commands run, then starts the shell.
#include "booking/pages/booking_pages.h"
#include "shell/page.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>

class BookingPageFixture : public uitest::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        paths = mv::buildPathTable(QStringLiteral("2014"));
        putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
        for (const QString& d : {paths.bokforingDir, paths.fskDir, paths.foretagetDir, paths.fritextDir,
                                 paths.kunderDir, paths.leverantorerDir, paths.kontolistorDir, paths.fakturorDir})
            ASSERT_TRUE(QDir().mkpath(d));
        ASSERT_EQ(mv::writeText(paths.settings, mv::defaultSettingsText()), 0);
        ASSERT_EQ(mv::writeText(paths.company, QStringLiteral("Firma AB\n") + QString(12, u'\n')), 0);
        for (int i = 1; i <= 6; ++i)
            ASSERT_EQ(mv::writeText(paths.moneyAccountName(i), mv::defaultMoneyAccountNames()[i - 1] + u'\n'), 0);
    }

    void start() {
        ASSERT_TRUE(stampYear(QStringLiteral("2014")));
        startShell();
        uitest::clearBoxes();
    }

    mv::PathTable paths;
};
