// Test program entry: the locale from the environment; every test process logs and keeps settings in
// a private temporary folder.
#include <gtest/gtest.h>

#include "testprogramm.h"

int main(int argc, char** argv) {
    if (!vktest::GebietsschemaAusUmgebung()) return 2;
    const vktest::Testordner ordner("vk_tests",
                                    {{"VK_LOG_DIR", "log"}, {"XDG_CONFIG_HOME", "config"}, {"XDG_STATE_HOME", "state"}});
    if (!ordner.Gemacht()) return vktest::OhneTestordner();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
