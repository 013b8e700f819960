// Telling the rule's window from the others when FindWindowW alone cannot:
// a title compared by its beginning, a part or its end, and the program that
// owns the window. Texts come with their letter case folded as the system
// folds it (the comparison FindWindowW itself makes).
#pragma once
#include "rules/rule.h"
#include <string>
#include <vector>

bool titleMatches(TitleMatch mode, const std::wstring& title, const std::wstring& wanted);
// `wanted` is a file name, or a whole path when it holds a backslash.
bool programMatches(const std::wstring& wanted, const std::wstring& imagePath);

// What was found out about each window that cannot change while it lives
// (its program), so that a look need not ask again. A window not met in a
// whole look is forgotten: it is gone, and its handle may come back for
// another window.
class WindowVerdicts {
  public:
    // The verdict on a window met in this look, if one is known.
    bool lookUp(const void* window, bool& verdict);
    void remember(const void* window, bool verdict);
    void beginLook() { ++look_; }
    // `whole`: every window was met, so those not met are gone.
    void endLook(bool whole);
    size_t count() const { return entries_.size(); }

    struct Entry {
        const void* window;
        bool verdict;
        unsigned look; // the last look that met it
    };

  private:
    std::vector<Entry> entries_; // a few hundred at most: searched one by one
    unsigned look_ = 0;
};
