#pragma once
#include <gtest/gtest.h>

#include <string>

namespace quelbrin::test {

// Makes `count` empty files in a folder, named by a wsprintf pattern with the
// index; quickly even under Wine. A failure says which file could not be made.
::testing::AssertionResult MakeEmptyFiles(const std::wstring& folder, int count, const wchar_t* pattern);

}  // namespace quelbrin::test
