// Outside Windows there is no desktop: the subcommands that run everywhere
// say nothing of windows there.
#include "ctl/observed/desktop_look.h"

bool desktopNow(DesktopLook&) {
    return false;
}
