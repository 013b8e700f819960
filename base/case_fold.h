// Letter case folded as the system folds it when it compares window titles
// and class names (FindWindowW's comparison, non-ASCII letters included).
#pragma once
#include <string>

void foldCase(std::wstring& text);
