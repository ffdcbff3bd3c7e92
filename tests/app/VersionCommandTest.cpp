// `orvexp --version` run as a program.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

TEST(VersionCommandTest, PrintsProductVersionAndBuild)
{
    FILE* pipe = ::popen(ORVEXP_BINARY " --version 2>&1", "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = ::pclose(pipe);
    EXPECT_EQ(output, "Orvanel エクスポートウィザード Ver 1.00 Build 0175\n");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
