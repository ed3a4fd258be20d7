// The host's test program: real widgets on Qt's offscreen platform; log and settings in a private
// temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gebietsschema.h"
#include "meldungsfilter.h"
#include "sprache.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string muster = (std::filesystem::temp_directory_path() / "vk_host_tests_XXXXXX").string();
    std::filesystem::path basis;
    if (char* dir = ::mkdtemp(muster.data())) {
        basis = dir;
        ::setenv("VK_LOG_DIR", (basis / "log").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (basis / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", basis.c_str(), 1);
    }
    vkhost::QtMeldungenFiltern();
    QApplication app(argc, argv);
    if (!GebietsschemaAusUmgebung()) return 2;
    // Qt's own texts in German, as vk-host shows them.
    if (!vkhost::QtDeutschLaden(app)) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    if (!basis.empty()) std::filesystem::remove_all(basis, ec);
    return rc;
}
