#include "app/ini_path.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora {
namespace {

TEST(IniPath, SitsBesideTheExecutable) {
    char out[256];
    ASSERT_TRUE(MakeIniPath("C:\\Tools\\x.exe", out, sizeof out));
    EXPECT_STREQ(out, "C:\\Tools\\tintora.ini");
    ASSERT_TRUE(MakeIniPath("C:\\a\\b c\\tintora.exe", out, sizeof out));
    EXPECT_STREQ(out, "C:\\a\\b c\\tintora.ini");
}

TEST(IniPath, FolderThatFillsTheBufferExactlyStillFits) {
    const std::string dir = "C:\\" + std::string(256 - 1 - 11 - 4, 'd') + "\\";
    char out[256];
    ASSERT_TRUE(MakeIniPath((dir + "tintora.exe").c_str(), out, sizeof out));
    EXPECT_EQ(std::string(out), dir + "tintora.ini");
    EXPECT_EQ(std::string(out).size(), 255u);
}

TEST(IniPath, TooLongFolderGivesNoPathRatherThanACutOne) {
    const std::string dir = "C:\\" + std::string(256 - 11 - 4, 'd') + "\\";
    char out[256] = "stale";
    EXPECT_FALSE(MakeIniPath((dir + "tintora.exe").c_str(), out, sizeof out));
    EXPECT_STREQ(out, "");
}

TEST(IniPath, WidePathsKeepLettersNoCodePageSpells) {
    wchar_t out[256];
    ASSERT_TRUE(MakeIniPath(L"C:\\\u0426\u0432\u0435\u0442\\tintora.exe", out, 256));
    EXPECT_EQ(std::wstring(out), L"C:\\\u0426\u0432\u0435\u0442\\tintora.ini");
}

TEST(IniPath, UserFileSitsInItsOwnFolderUnderApplicationData) {
    char out[64];
    ASSERT_TRUE(MakeUserIniPath("C:\\Users\\ann\\AppData\\Roaming", out, sizeof out));
    EXPECT_STREQ(out, "C:\\Users\\ann\\AppData\\Roaming\\Tintora\\tintora.ini");
    char small[20] = "stale";
    EXPECT_FALSE(MakeUserIniPath("C:\\Users\\ann", small, sizeof small));
    EXPECT_STREQ(small, "");
}

}  // namespace
}  // namespace tintora
