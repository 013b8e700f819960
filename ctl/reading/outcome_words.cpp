#include "ctl/reading/outcome_words.h"

const wchar_t* outcomeWords(Outcome outcome) {
    switch (outcome) {
    case Outcome::RunExec:
        return L"runs exec at once";
    case Outcome::RunOnUnmatch:
        return L"runs onunmatch at once";
    case Outcome::Watch:
        break;
    }
    return L"waits";
}
