// The main of every test program. It sets the environment the tests rely on
// before any test runs: no proxy (libcurl does not exempt loopback from
// http_proxy), SDL without a display unless a test opens its own, and where
// the source and build trees are.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        unsetenv(name);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LT_SOURCE_DIR", LT_TEST_SOURCE_DIR, 1);
    setenv("LT_BINARY_DIR", LT_TEST_BINARY_DIR, 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
