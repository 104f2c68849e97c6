// The test entry: a Qt application on the offscreen platform, in en_US and UTC, so no test depends
// on the machine's display, locale or time zone. Tests that need another locale set it themselves
// with yvo::test::LocaleScope.
#include <QLocale>
#include <QtGlobal>

#ifdef YVO_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <ctime>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
