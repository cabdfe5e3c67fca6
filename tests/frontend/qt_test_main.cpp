// The front end's tests run inside one QApplication, offscreen unless another platform is asked for.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // ROM files in the user's own data folder must not reach the tests.
    const QTemporaryDir userData;
    qputenv("XDG_DATA_HOME", userData.path().toUtf8());
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
