// The standard library reports its own faults (a string or vector asked to
// grow past its limit, at() past the end, a failed allocation) through these
// functions. Its versions build std::logic_error and friends, whose texts are
// the library's old copy-on-write string: linking them brings a second whole
// std::string implementation into the program (about 60 KB). Nothing here
// catches those types by name; every command ends on std::exception and shows
// what() ("Something unexpected went wrong (...)"), and an allocation failure
// stays a std::bad_alloc, which the commands name as such.
#include <cstdarg>
#include <cstddef>
#include <exception>
#include <new>
#include <typeinfo>

namespace quelbrin {
namespace {

// The library's text, copied (cut at its size): a literal, or a format of
// the library's that uses %zu, %s and %% alone. Formatted here, not by the C
// runtime: the system's msvcrt does not know %zu.
class LibraryFault : public std::exception {
public:
    LibraryFault(const char* format, va_list* arguments) {
        std::size_t at = 0;
        auto put = [&](char c) {
            if (at + 1 < sizeof text_) text_[at++] = c;
        };
        for (const char* p = format ? format : ""; *p; ++p) {
            if (arguments && p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
                char digits[24];
                int count = 0;
                std::size_t value = va_arg(*arguments, std::size_t);
                do digits[count++] = static_cast<char>('0' + value % 10); while ((value /= 10) != 0);
                while (count > 0) put(digits[--count]);
                p += 2;
            } else if (arguments && p[0] == '%' && p[1] == 's') {
                for (const char* s = va_arg(*arguments, const char*); s && *s; ++s) put(*s);
                ++p;
            } else if (arguments && p[0] == '%' && p[1] == '%') {
                put('%');
                ++p;
            } else {
                put(*p);
            }
        }
        text_[at] = '\0';
    }
    const char* what() const noexcept override { return text_; }

private:
    char text_[200];
};

[[noreturn]] void Fault(const char* text) { throw LibraryFault(text, nullptr); }

}  // namespace
}  // namespace quelbrin

namespace std {
void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* text) { quelbrin::Fault(text); }
void __throw_domain_error(const char* text) { quelbrin::Fault(text); }
void __throw_invalid_argument(const char* text) { quelbrin::Fault(text); }
void __throw_length_error(const char* text) { quelbrin::Fault(text); }
void __throw_out_of_range(const char* text) { quelbrin::Fault(text); }
void __throw_runtime_error(const char* text) { quelbrin::Fault(text); }
void __throw_range_error(const char* text) { quelbrin::Fault(text); }
void __throw_overflow_error(const char* text) { quelbrin::Fault(text); }
void __throw_underflow_error(const char* text) { quelbrin::Fault(text); }
void __throw_out_of_range_fmt(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    quelbrin::LibraryFault fault(format, &arguments);
    va_end(arguments);
    throw fault;
}
}  // namespace std
