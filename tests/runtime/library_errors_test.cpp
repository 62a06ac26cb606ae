// The standard library's own faults, as the shipped program's replacement
// throws them: every one a std::exception that says what failed, and an
// allocation failure a std::bad_alloc, which the commands name as such.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

TEST(LibraryErrors, EachIsAStdExceptionWithTheLibrarysFiguresAndAllocationFailuresStayBadAlloc) {
    std::vector<int> three(3);
    try {
        (void)three.at(7);
        FAIL() << "at() past the end did not throw";
    } catch (const std::exception& e) {
        EXPECT_NE(std::strstr(e.what(), "(which is 7) >= this->size() (which is 3)"), nullptr) << e.what();
    }
    try {
        three.reserve(three.max_size() + 1);
        FAIL() << "reserve() past max_size() did not throw";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "vector::reserve");
        EXPECT_EQ(dynamic_cast<const std::bad_alloc*>(&e), nullptr) << "a length error is no memory shortage";
    }
    std::allocator<std::int32_t> allocator;
    EXPECT_THROW((void)allocator.allocate(SIZE_MAX / 4 - 1), std::bad_alloc);
    EXPECT_THROW((void)allocator.allocate(SIZE_MAX), std::bad_alloc);
}
