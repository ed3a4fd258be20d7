// The host's test program: real widgets on Qt's offscreen platform; log and settings in a private
// temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "meldungsfilter.h"
#include "sprache.h"
#include "testprogramm.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const vktest::Testordner ordner("vk_host_tests",
                                    {{"VK_LOG_DIR", "log"}, {"XDG_CONFIG_HOME", "config"}, {"XDG_RUNTIME_DIR", ""}});
    if (!ordner.Gemacht()) return vktest::OhneTestordner();
    vkhost::QtMeldungenFiltern();
    QApplication app(argc, argv);
    if (!vktest::GebietsschemaAusUmgebung()) return 2;
    // Qt's own texts in German, as vk-host shows them.
    if (!vkhost::QtDeutschLaden(app)) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
