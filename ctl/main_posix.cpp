// palimoorctl on Linux and other POSIX hosts: check, explain and line, for a
// rule before it goes to the handheld; the subcommands that need the desktop
// say so (the table's Windows-only column).
#include "ctl/commands.h"
#include "base/utf8_text.h"
#include <cstdlib>

int main(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(toWide(argv[i]));
    Console console;
    console.colour = standardOutputIsTerminal() && !std::getenv("NO_COLOR");
    return runCtl(arguments, console);
}
