// What the first look decides, in the words palimoorctl says it with.
#pragma once
#include "watch/outcome.h"

// "runs exec at once", "runs onunmatch at once" or "waits".
const wchar_t* outcomeWords(Outcome outcome);
