#include "ctl/reading/spelling.h"
#include "base/text_compare.h"
#include "ctl/io/shown_text.h"
#include <algorithm>

namespace {

// A slip of the keyboard: one edit in a short word, two in a longer one.
size_t nearEnough(const std::wstring& word) {
    return word.size() <= 4 ? 1 : 2;
}

} // namespace

size_t editDistance(const std::wstring& a, const std::wstring& b, size_t limit) {
    const size_t over = limit + 1;
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit)
        return over;
    // Optimal string alignment in three rows, only within `limit` of the
    // diagonal: a cell farther off costs more than the limit anyway. The rows
    // are kept from call to call: a file of unknown keys asks thousands of times.
    static thread_local std::vector<size_t> before, previous, current;
    before.assign(b.size() + 1, over);
    previous.assign(b.size() + 1, over);
    current.assign(b.size() + 1, over);
    for (size_t j = 0; j <= b.size() && j <= limit; ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        const size_t from = i > limit ? i - limit : 1;
        const size_t to = std::min(b.size(), i + limit);
        // The cells just outside the band are read by the next rows.
        current[0] = i <= limit ? i : over;
        current[from - 1] = from > 1 ? over : current[0];
        if (to < b.size())
            current[to + 1] = over;
        for (size_t j = from; j <= to; ++j) {
            const bool same = foldAscii(a[i - 1]) == foldAscii(b[j - 1]);
            size_t cell = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + !same});
            if (i > 1 && j > 1 && foldAscii(a[i - 1]) == foldAscii(b[j - 2]) &&
                foldAscii(a[i - 2]) == foldAscii(b[j - 1]))
                cell = std::min(cell, before[j - 2] + 1);
            current[j] = std::min(cell, over);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return std::min(previous[b.size()], over);
}

std::wstring likelyMeant(const std::wstring& word, const std::vector<std::wstring>& candidates) {
    std::wstring best;
    size_t bestDistance = nearEnough(word) + 1;
    for (const std::wstring& candidate : candidates) {
        const size_t distance = editDistance(word, candidate, nearEnough(word));
        if (distance < bestDistance && distance < word.size()) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

void NearestNames::offer(const std::wstring& name) {
    if (name == wanted_)
        return;
    // Names equal but for letter case rank before any other edit; then a name
    // that the wanted one begins with, up to a blank (a command line that went
    // on after the section's name).
    const bool extended = wanted_.size() > name.size() && !name.empty() &&
                          wanted_.compare(0, name.size(), name) == 0 &&
                          wanted_[name.size()] == L' ';
    const size_t distance = equalsIgnoreCase(name, wanted_) ? 0
                            : extended                      ? 1
                                       : editDistance(name, wanted_, nearEnough(wanted_)) + 1;
    if (distance > nearEnough(wanted_) + 1)
        return;
    for (const auto& entry : best_) {
        if (entry.second == name)
            return;
    }
    best_.emplace_back(distance, name);
    std::stable_sort(best_.begin(), best_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (best_.size() > 3)
        best_.pop_back();
}

std::wstring NearestNames::describe() const {
    std::wstring text;
    for (const auto& entry : best_)
        text += (text.empty() ? L"[" : L", [") + visible(entry.second) + L"]";
    return text;
}
