// Test main for engine tests: a QCoreApplication, the C locale untouched by
// the desktop, and the clock fixed.
#include "store/clock.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    mv::setFixedNow(QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12)));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
