#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quelbrin {

// The first argument of a whole command line (the program's name first, as
// Windows hands it over), or nothing when there is none.
//
// Blanks and tabs separate arguments; a double quote starts or ends a quoted
// part and is itself dropped. Backslashes are kept as they are, also before a
// quote: the argument is a path, and no path holds a quote. So the quoted
// drive root "D:\" stays the root, and a quoted folder with a trailing "\"
// keeps it; the C runtime's rules would read a quote into both. Arguments
// after the first are not looked at.
std::optional<std::string> FirstArgument(std::string_view commandLine);

}  // namespace quelbrin
