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

void WindowVerdicts::beginLook() {
    met_.clear();
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
    work_ = working_ + before_.size();
}
