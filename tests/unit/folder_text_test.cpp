// The folder-text rule that both file systems apply before any lookup.
#include <gtest/gtest.h>

#include <string>

#include "platform/folder_text.h"
#include "tests/unit/test_support.h"

namespace quelbrin {
namespace {

TEST(FolderTextRule, RefusesBlanksPatternsNulAndNetworkPathsWithoutAShare) {
    test::NetworkFolderTextCase();
    const std::string refused[] = {
        "", " ", " \t ", "C:\\*", "C:\\fx\\?", "D:\\a*b", std::string("C:\\\0x", 5),
        "\\\\", "//", "\\/", "\\\\\\", "\\\\nas", "//nas", "\\/nas/", "/\\nas", "\\\\nas\\", "\\\\nas//",
        "\\\\\\nas\\", "\\\\?\\UNC", "\\\\?\\UNC\\", "\\\\?\\UNC\\nas", "\\\\?\\UNC\\nas\\", "\\\\?\\unc\\nas",
        "\\\\.\\UNC\\nas\\", "//./unc/nas", "\\\\?\\C:\\*", std::string("\\\\?\\C:\\\0", 8)};
    for (const std::string& text : refused) EXPECT_FALSE(IsUsableFolderText(text)) << '"' << text << '"';
    const std::string usable[] = {
        "C:\\", "C:\\Effects", "C:/Effects/", "\\", "relative", " C:\\lead", "\\\\nas\\fx", "//nas/fx",
        "\\/nas\\f", "\\\\nas\\fx\\sub", "\\\\nas\\\\fx", "\\\\?\\C:\\Effects", "\\\\?\\UNC\\nas\\fx",
        "\\\\?\\UNCx\\y", "\\\\.\\C:\\", "\\\\.\\UNC\\nas\\fx", "NUL", "C:\\caf\xc3\xa9"};
    for (const std::string& text : usable) EXPECT_TRUE(IsUsableFolderText(text)) << '"' << text << '"';
}

TEST(FolderTextRule, NetworkPathsAreTheOnesWindowsResolvesOverTheNetwork) {
    test::NetworkFolderTextCase();
    for (const char* text : {"\\\\nas\\fx", "//nas/fx", "\\\\nas", "\\\\?\\UNC\\nas\\fx", "\\\\?\\unc\\nas",
                             "\\\\.\\UNC\\nas\\fx"})
        EXPECT_TRUE(IsNetworkPath(text)) << text;
    for (const char* text : {"C:\\fx", "\\fx", "\\\\?\\C:\\fx", "\\\\.\\C:\\", "\\\\?\\UNCx\\y", "", "\\"})
        EXPECT_FALSE(IsNetworkPath(text)) << text;
}

}  // namespace
}  // namespace quelbrin
