// A function looked up at run time comes from System32's DLL, never from a
// DLL of that name beside the program. (That Quelbrin.exe itself keeps the
// search to System32 is shown on the real program: tests/e2e/startup_test.cpp.)
#include <gtest/gtest.h>

#include "platform/win32/system_function.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

constexpr wchar_t kBeside[] = L"quelbrin_beside.dll";

TEST(DllSearch, AFunctionLookedUpAtRunTimeComesFromSystem32Alone) {
    quelbrin::test::ReliabilityCase("Administrator", "a DLL looked up at run time (shcore.dll's GetDpiForMonitor for Windows 8.1), with a DLL of the name asked for beside the program",
                                    "the function comes from System32's DLL; the one beside the program is not loaded");
    const HMODULE there = LoadLibraryExW(kBeside, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    ASSERT_TRUE(there && FreeLibrary(there)) << "no DLL beside the program to refuse";
    EXPECT_EQ(win32::System32Function<FARPROC>(kBeside, "QuelbrinBesideDll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(kBeside), nullptr);
    EXPECT_NE(win32::System32Function<FARPROC>(L"shcore.dll", "GetDpiForMonitor"), nullptr);
}

}  // namespace
}  // namespace quelbrin::test
