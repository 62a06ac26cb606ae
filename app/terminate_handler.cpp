// The standard library's verbose terminate handler prints the exception's
// demangled type, which pulls the demangler and printf formatting into the
// program (about 70 KB). A GUI program has nowhere to print it: end at once.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
