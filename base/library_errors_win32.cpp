// The standard library reports misuse (a string too long, an index out of
// range) by throwing exceptions whose classes drag in a second string
// implementation and more, a good third of the program. This program never
// catches them, so it ends at once instead; running out of memory still
// throws std::bad_alloc, which the command runner does catch.
#include <cstdlib>
#include <new>

namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_alloc();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_out_of_range(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_invalid_argument(const char*) {
    abort();
}
} // namespace std

// The library's default handler for an uncaught exception prints a demangled
// name to a console this program does not have, and costs tens of kilobytes.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    abort();
}
} // namespace __gnu_cxx
