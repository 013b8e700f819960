// The ways of naming the window shown, narrowest stable first: the class
// alone, the program alone, the class beside the program, then a title
// beside those (the part that stayed while it changed, the program's part
// after a document's name, the whole title, the part that differs).
#pragma once
#include "ctl/observed/desktop_changes.h"
#include <string>
#include <vector>

struct ProposedKey {
    std::wstring why; // said in a comment above the key
    std::wstring key;
    std::wstring value;
};

// One way of naming the window: its window keys, each with the reason.
struct RuleForm {
    std::vector<ProposedKey> keys;
    std::wstring name; // the keys in a line, as the refusal lists what was tried
};

// Whether the class can name a window on its own: not empty, not one many
// programs share, not made anew for each run.
bool classOfItsOwn(const std::wstring& className);
RuleForm classForm(const WindowLook& target);
// Why the class alone cannot name it, when it cannot be tried at all.
std::wstring classUnfit(const std::wstring& className);
// The forms after the class alone, in the order they are tried. `titles` are
// the titles it had while it was shown (more than one when it changed);
// `classProblem` says why the class alone did not do.
std::vector<RuleForm> ruleForms(const WindowLook& target, const std::vector<std::wstring>& titles,
                                const std::wstring& classProblem);
