#include "watch/window_match.h"
#include "base/text_compare.h"
#include <algorithm>
#include <functional>

bool titleMatches(TitleMatch mode, const std::wstring& title, const std::wstring& wanted) {
    switch (mode) {
    case TitleMatch::exact:
        return title == wanted;
    case TitleMatch::start:
        return title.compare(0, wanted.size(), wanted) == 0;
    case TitleMatch::contains:
        return title.find(wanted) != std::wstring::npos;
    case TitleMatch::end:
        return endsWith(title, wanted);
    }
    return false;
}

std::wstring programFileName(const std::wstring& imagePath) {
    const size_t slash = imagePath.rfind(L'\\');
    return slash == std::wstring::npos ? imagePath : imagePath.substr(slash + 1);
}

bool programMatches(const std::wstring& wanted, const std::wstring& imagePath) {
    if (wanted.find(L'\\') != std::wstring::npos)
        return imagePath == wanted;
    return programFileName(imagePath) == wanted;
}

WindowQuery prepareWindowQuery(const Rule& rule, const std::wstring& ownClass,
                               void (*fold)(std::wstring&)) {
    WindowQuery query;
    query.byEnumeration = looksWindowByWindow(rule);
    query.mainWindow = watchesMainWindow(rule);
    query.visibleOnly = countsOnlyVisible(rule);
    query.hasClass = !rule.class_.empty();
    query.hasTitle = !rule.title.empty();
    query.titlematch = rule.titlematch;
    query.foldedClass = rule.class_.substr(0, kLongestWindowKey);
    query.foldedTitle = rule.title.substr(0, kLongestWindowKey);
    query.foldedProcess = rule.process;
    query.foldedOwnClass = ownClass;
    for (std::wstring* text :
         {&query.foldedClass, &query.foldedTitle, &query.foldedProcess, &query.foldedOwnClass})
        fold(*text);
    return query;
}

bool countsAsInFront(const WindowQuery& query, bool sameWindow, bool sameProcess) {
    return query.mainWindow ? sameProcess : sameWindow;
}

void WindowVerdicts::beginLook() {
    met_.clear();
    unreadMet_.clear();
    working_ = 0;
}

// A binary search whose steps depend only on the number of entries, so its
// work can be counted.
bool WindowVerdicts::find(const void* window, bool& verdict) {
    if (before_.empty())
        return false;
    const std::less<const void*> less;
    size_t base = 0;
    for (size_t left = before_.size(); left > 1; left -= left / 2, ++working_) {
        if (less(before_[base + left / 2 - 1].window, window))
            base += left / 2;
    }
    ++working_;
    if (before_[base].window != window)
        return false;
    verdict = before_[base].verdict;
    return true;
}

void WindowVerdicts::endLook() {
    const auto byWindow = [](const Entry& a, const Entry& b) {
        return std::less<const void*>()(a.window, b.window);
    };
    std::sort(met_.begin(), met_.end(), byWindow);
    met_.erase(std::unique(met_.begin(), met_.end(),
                           [](const Entry& a, const Entry& b) { return a.window == b.window; }),
               met_.end());
    before_.swap(met_);
    met_.clear();
    unread_.swap(unreadMet_);
    unreadMet_.clear();
    work_ = working_ + before_.size();
}
