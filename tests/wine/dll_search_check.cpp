// Quelbrin's start-up routine keeps a DLL beside the program from being
// loaded by its bare name. A program of its own: the routine changes how the
// whole process loads DLLs.
#include <gtest/gtest.h>

#include "platform/win32/dll_search.h"
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

TEST(DllSearch, ADllBesideTheProgramLoadsBeforeTheRoutineAndNotAfterIt) {
    quelbrin::test::ReliabilityCase("Administrator", "a DLL placed beside the program",
                                    "loaded by its bare name before the start-up routine, refused (error 126) after it, while System32 DLLs still load; the import check rejects any import but Known DLLs and comctl32 (uxtheme, version)");
    // The DLL is there, and the loader finds it by its bare name.
    HMODULE before = LoadLibraryW(kBeside);
    ASSERT_NE(before, nullptr) << "not loaded before the routine; error " << GetLastError();
    EXPECT_NE(GetProcAddress(before, "QuelbrinBesideDll"), nullptr);
    ASSERT_TRUE(FreeLibrary(before));
    ASSERT_EQ(GetModuleHandleW(kBeside), nullptr) << "still loaded: a second load would not search";

    EXPECT_TRUE(win32::RestrictDllSearch()) << "SetDefaultDllDirectories was not available";

    SetLastError(0);
    HMODULE after = LoadLibraryW(kBeside);
    const DWORD error = GetLastError();
    EXPECT_EQ(after, nullptr) << "the DLL beside the program was loaded after the routine";
    if (after) FreeLibrary(after);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // System DLLs still load by name.
    HMODULE system = LoadLibraryW(L"version.dll");
    EXPECT_NE(system, nullptr) << "a system DLL no longer loads; error " << GetLastError();
    if (system) FreeLibrary(system);
}

}  // namespace
}  // namespace quelbrin::test
