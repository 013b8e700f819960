#include "app/reporter.h"
#include <utility>

bool Reporter::setEnabled(bool enabled) {
    const bool previous = enabled_;
    enabled_ = enabled;
    return previous;
}

std::wstring Reporter::setCaption(std::wstring caption) {
    std::swap(caption_, caption);
    return caption;
}

void Reporter::show(const std::wstring& text, const std::wstring& caption, unsigned style) const {
    if (!enabled_)
        return;
    showMessageBox(owner_ ? owner_ : foregroundWindow(), text, caption, style);
}
