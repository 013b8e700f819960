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

// The rule's window keys as the looks ask them: texts folded once, and how
// the window is looked for. One query serves the watch, which reads a
// window's facts only as far as it must, and palimoorctl, which replays a
// recorded desktop: both judge a window by the same steps below.
struct WindowQuery {
    bool byEnumeration = false; // window by window; else the system's FindWindowW
    bool mainWindow = false;    // process= alone: the first window the taskbar shows
    bool visibleOnly = false;
    bool hasClass = false;
    bool hasTitle = false;
    TitleMatch titlematch = TitleMatch::exact;
    std::wstring foldedClass, foldedTitle, foldedProcess;
    std::wstring foldedOwnClass; // a waiting Palimoor's, found only when the class names it
};

// `fold` folds letter case as the system does. The class and the title are
// looked for by their first kLongestWindowKey characters.
constexpr std::size_t kLongestWindowKey = 1023;
WindowQuery prepareWindowQuery(const Rule& rule, const std::wstring& ownClass,
                               void (*fold)(std::wstring&));

// What cannot change while the window lives: its class, then its program.
// `read` gives the folded class (`className()`) and the folded program path
// (`program(path)`, false when it cannot be read).
template <typename Reader> Verdict lastingFit(const WindowQuery& query, Reader& read) {
    const std::wstring windowClass = read.className();
    if (query.hasClass ? windowClass != query.foldedClass : windowClass == query.foldedOwnClass)
        return Verdict::No;
    if (query.foldedProcess.empty())
        return Verdict::Yes;
    std::wstring path;
    if (!read.program(path))
        return Verdict::Unread;
    return programMatches(query.foldedProcess, path) ? Verdict::Yes : Verdict::No;
}

// What may change: shown or hidden, whether the taskbar shows it, its title
// (read last: it is the dearest).
template <typename Reader> bool passingFit(const WindowQuery& query, Reader& read) {
    if (query.visibleOnly && !read.visible())
        return false;
    if (query.mainWindow && !read.taskbarShows())
        return false;
    return !query.hasTitle || titleMatches(query.titlematch, read.title(), query.foldedTitle);
}

// A rule not looked up window by window: what FindWindowW finds, hidden
// windows too, by the class and the whole title.
template <typename Reader> bool systemFinds(const WindowQuery& query, Reader& read) {
    return (!query.hasClass || read.className() == query.foldedClass) &&
           (!query.hasTitle || read.title() == query.foldedTitle);
}

// Whether the rule's window is in front: itself, or for a process-only rule
// any window of its program (a dialog counts).
bool countsAsInFront(const WindowQuery& query, bool sameWindow, bool sameProcess);

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
        else
            unreadMet_.push_back(window);
        return verdict;
    }
    // The windows this look did not meet are forgotten.
    void endLook();
    size_t count() const { return before_.size(); }
    // Entries the last look visited: a measure of its work, for the tests.
    size_t work() const { return work_; }

    // Between two looks over every window, while no window can have
    // appeared: the only windows that can be the rule's are those the last
    // one found to be, or could not read: `visit(window)` for each, until
    // it answers false.
    template <typename Visit> bool eachCandidate(Visit visit) const {
        for (const void* window : unread_) {
            if (!visit(window))
                return false;
        }
        for (const Entry& entry : before_) {
            if (entry.verdict && !visit(entry.window))
                return false;
        }
        return true;
    }
    // Such a window asked again: a kept verdict, or `ask()` for an unread one.
    template <typename Ask> Verdict recheck(const void* window, Ask ask) {
        bool known = false;
        if (find(window, known))
            return known ? Verdict::Yes : Verdict::No;
        return ask();
    }

  private:
    struct Entry {
        const void* window;
        bool verdict;
    };
    bool find(const void* window, bool& verdict);
    std::vector<Entry> before_;          // the last look's, by window
    std::vector<Entry> met_;             // this look's, as met
    std::vector<const void*> unread_;    // the last look's unread windows
    std::vector<const void*> unreadMet_; // this look's
    size_t work_ = 0;
    size_t working_ = 0;
};
