#pragma once
// The booking year of the booking tests with the small year of
// small_year.h on top, and what the interchange tests compare with.
#include "booking/booking_fixture.h"
#include "interchange/sie_export.h"
#include "reports/closing_figures.h"
#include "small_year.h"
#include "store/settings.h"

#include <QDir>

#include <map>

class InterchangeTest : public BookingTest {
  protected:
    void SetUp() override {
        inMemory = true;
        BookingTest::SetUp();
    }

    // A new, empty year 2014 in place of the old one.
    void resetYear() {
        ASSERT_TRUE(QDir(paths.yearDir).removeRecursively());
        makeYear();
    }

    mv::SieBuild exportYear() const {
        return mv::buildSieBooks(paths, mv::yearRecord().settings, mv::yearRecord().company,
                                 QStringLiteral("140105"), QStringLiteral("2014-03-07"));
    }
    mv::ClosingFigures figures() const {
        return mv::closingFigures(paths, mv::yearRecord().settings);
    }

    // Readable comparison of bytes with a golden file, shown as text.
    static void expectGoldenBytes(const QByteArray& actual, const char* goldenName,
                                  QString (*decode)(const QByteArray&)) {
        const QByteArray expected = golden(QString::fromUtf8(goldenName));
        EXPECT_EQ(decode(actual).toStdString(), decode(expected).toStdString()) << goldenName;
        EXPECT_EQ(actual, expected) << "bytes differ from " << goldenName;
    }

    // The sums of the rows per account, of one series or of all ("").
    static std::map<int, mv::Amount> rowSums(const mv::SieBooks& b, const QString& series = {}) {
        std::map<int, mv::Amount> sums;
        for (const mv::SieVerification& v : b.verifications)
            if (series.isEmpty() || v.series == series)
                for (const mv::SieRow& r : v.rows)
                    sums[r.account] += r.amount;
        return sums;
    }
};
