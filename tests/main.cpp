// Test program entry: every test process logs and keeps settings in a private temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gebietsschema.h"

int main(int argc, char** argv) {
    if (!GebietsschemaAusUmgebung()) return 2;
    std::string muster = (std::filesystem::temp_directory_path() / "vk_tests_XXXXXX").string();
    if (char* dir = ::mkdtemp(muster.data())) {
        std::filesystem::path basis(dir);
        ::setenv("VK_LOG_DIR", (basis / "log").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (basis / "config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (basis / "state").c_str(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    if (const char* log = std::getenv("VK_LOG_DIR")) {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::path(log).parent_path(), ec);
    }
    return rc;
}
