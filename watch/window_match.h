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
// The file name at the end of a program's path (the whole text when it has no folder).
std::wstring programFileName(const std::wstring& imagePath);

// What a look found out about a window: a verdict, or nothing when what it
// needed could not be read (a program of another user, a transient failure).
enum class Verdict { No, Yes, Unread };

// What was found out about each window that cannot change while it lives
// (its class and program), so that a look need not ask again. Only what the
// last look met is kept: a window not met may be gone, and its handle may
// come back for another window. So the cache is never larger than one look,
// and a look costs what it meets, however long the watch has lasted. An
// unread verdict is not kept: it is asked again at the next look.
class WindowVerdicts {
  public:
    void beginLook();
    // The verdict on a window met in this look: the last look's, or `ask()`'s.
    template <typename Ask> Verdict judge(const void* window, Ask ask) {
        bool known = false;
        if (find(window, known)) {
            met_.push_back({window, known});
            return known ? Verdict::Yes : Verdict::No;
        }
        const Verdict verdict = ask();
        if (verdict != Verdict::Unread)
            met_.push_back({window, verdict == Verdict::Yes});
        return verdict;
    }
    // The windows this look did not meet are forgotten.
    void endLook();
    size_t count() const { return before_.size(); }
    // Entries the last look visited: a measure of its work, for the tests.
    size_t work() const { return work_; }

  private:
    struct Entry {
        const void* window;
        bool verdict;
    };
    bool find(const void* window, bool& verdict);
    std::vector<Entry> before_; // the last look's, by window
    std::vector<Entry> met_;    // this look's, as met
    size_t work_ = 0;
    size_t working_ = 0;
};
