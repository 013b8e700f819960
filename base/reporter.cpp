#include "base/reporter.h"
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
    if (findings_) {
        findings_->push_back({text, 0, MessageId::Other});
        return;
    }
    showMessageBox(owner_ ? owner_ : foregroundWindow(), text, caption, style);
}

void Reporter::showAt(int line, const std::wstring& text, unsigned style, MessageId id) const {
    if (enabled_ && findings_)
        findings_->push_back({text, line, id});
    else
        show(text, caption_, style);
}
