// Suggestions for a word that is nearly right: a key, a keyword value, a
// section name. Letter case is ignored when measuring, as the program ignores
// it for keys and keywords; section names differing only in case come first.
#pragma once
#include <string>
#include <vector>

// Edits (insert, delete, replace, swap two neighbours) from a to b, ASCII
// letter case ignored; any number above `limit` is given as limit + 1, which
// takes time in proportion to the words' length, not its square.
size_t editDistance(const std::wstring& a, const std::wstring& b, size_t limit);
// The candidate `word` most likely stands for, or empty when none is close.
std::wstring likelyMeant(const std::wstring& word, const std::vector<std::wstring>& candidates);

// The names nearest to `wanted`, gathered one name at a time (a file's
// sections need not all be held at once).
class NearestNames {
  public:
    explicit NearestNames(std::wstring wanted) : wanted_(std::move(wanted)) {}
    void offer(const std::wstring& name);
    // Up to three, nearest first, each in brackets, made visible; ", " between.
    std::wstring describe() const;
    bool none() const { return best_.empty(); }

  private:
    std::wstring wanted_;
    std::vector<std::pair<size_t, std::wstring>> best_;
};
