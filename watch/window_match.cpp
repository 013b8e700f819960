#include "watch/window_match.h"
#include "base/text_compare.h"

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

bool programMatches(const std::wstring& wanted, const std::wstring& imagePath) {
    if (wanted.find(L'\\') != std::wstring::npos)
        return imagePath == wanted;
    const size_t slash = imagePath.rfind(L'\\');
    return imagePath.compare(slash == std::wstring::npos ? 0 : slash + 1, std::wstring::npos,
                             wanted) == 0;
}

bool WindowVerdicts::lookUp(const void* window, bool& verdict) {
    for (Entry& entry : entries_) {
        if (entry.window == window) {
            entry.look = look_;
            verdict = entry.verdict;
            return true;
        }
    }
    return false;
}

void WindowVerdicts::remember(const void* window, bool verdict) {
    entries_.push_back({window, verdict, look_});
}

void WindowVerdicts::endLook(bool whole) {
    if (!whole)
        return;
    size_t kept = 0;
    for (const Entry& entry : entries_) {
        if (entry.look == look_)
            entries_[kept++] = entry;
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kept), entries_.end());
}
