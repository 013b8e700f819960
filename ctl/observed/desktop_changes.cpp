#include "ctl/observed/desktop_changes.h"
#include <algorithm>

namespace {
// A window made and shown within this is one action: opened.
constexpr std::uint32_t kOneActionMs = 1000;
} // namespace

DesktopChanges DesktopChanges::watch(bool hiddenToo) {
    DesktopChanges changes;
    changes.endsAtHome_ = false;
    changes.hiddenToo_ = hiddenToo;
    return changes;
}

bool DesktopChanges::isHome(std::uint64_t window) const {
    return window != 0 && std::find(homes_.begin(), homes_.end(), window) != homes_.end();
}

// What is said of a window: not of the console, and not of one never visible
// (a helper window a program keeps), unless asked.
bool DesktopChanges::reported(std::uint64_t window, const WindowLook& look) const {
    if (console_ != 0 && window == console_)
        return false;
    const auto life = lives_.find(window);
    return hiddenToo_ || look.visible || (life != lives_.end() && life->second.everVisible);
}

void DesktopChanges::start(const DesktopLook& look) {
    if (endsAtHome_)
        homes_ = {console_, look.front};
    first_ = look;
    last_ = look;
    for (const auto& window : look.windows)
        lives_[window.first] = {0, 0, window.second.visible};
}

void DesktopChanges::add(std::uint32_t at, ChangeKind kind, std::uint64_t window,
                         const WindowLook& look, const std::wstring& titleBefore) {
    const auto life = lives_.find(window);
    const std::uint32_t since = life != lives_.end() ? life->second.since : number_;
    changes_.push_back({at, kind, window, look, titleBefore, number_, since});
}

// What differs from the last look, kept so that any look's desktop can be
// told again: a recording costs what changed, not what was there.
void DesktopChanges::logDelta(const DesktopLook& look) {
    LookDelta delta{number_, {}, {}, look.front};
    for (const auto& window : look.windows) {
        const auto before = last_.windows.find(window.first);
        if (before == last_.windows.end() || before->second != window.second)
            delta.changed.push_back(window);
    }
    for (const auto& window : last_.windows) {
        if (look.windows.count(window.first) == 0)
            delta.gone.push_back(window.first);
    }
    if (!delta.changed.empty() || !delta.gone.empty() || look.front != last_.front)
        deltas_.push_back(std::move(delta));
}

// After the end, a window hidden in its last moment that goes within a
// moment was being closed: windows are hidden on their way out, and the
// front came back as it went.
void DesktopChanges::closingAfterEnd(const DesktopLook& look, std::uint32_t at) {
    if (at - endedAt_ > kOneActionMs)
        return;
    ++number_;
    logDelta(look);
    for (const auto& entry : last_.windows) {
        if (look.windows.count(entry.first) != 0)
            continue;
        for (const DesktopChange& change : changes_) {
            if (change.window == entry.first && change.kind == ChangeKind::Hidden &&
                endedAt_ - change.at <= kOneActionMs) {
                add(at, ChangeKind::Closed, entry.first, entry.second);
                break;
            }
        }
    }
}

void DesktopChanges::next(const DesktopLook& look, std::uint32_t at) {
    if (ended_) {
        closingAfterEnd(look, at);
        last_ = look;
        return;
    }
    ++number_;
    logDelta(look);
    for (const auto& entry : look.windows) {
        if (lives_.count(entry.first) == 0)
            lives_[entry.first] = {number_, at, false};
    }
    for (const auto& entry : look.windows) {
        const std::uint64_t handle = entry.first;
        const WindowLook& window = entry.second;
        const auto before = last_.windows.find(handle);
        const bool wasReported = before != last_.windows.end() && reported(handle, before->second);
        if (!wasReported) { // new, or nothing was said of it before: no change of it yet
            const Life& life = lives_[handle];
            const bool longHidden = life.since == 0 || at - life.at > kOneActionMs;
            if (reported(handle, window))
                add(at, longHidden && !hiddenToo_ ? ChangeKind::Shown : ChangeKind::Appeared,
                    handle, window);
            continue;
        }
        const WindowLook& was = before->second;
        if (window.visible != was.visible)
            add(at, window.visible ? ChangeKind::Shown : ChangeKind::Hidden, handle, window);
        if (window.minimized != was.minimized)
            add(at, window.minimized ? ChangeKind::Minimized : ChangeKind::Restored, handle,
                window);
        if (window.title != was.title)
            add(at, ChangeKind::Renamed, handle, window, was.title);
    }
    for (const auto& entry : last_.windows) {
        if (look.windows.count(entry.first) == 0 && reported(entry.first, entry.second))
            add(at, ChangeKind::Closed, entry.first, entry.second);
    }
    const bool backHome = isHome(look.front) && !isHome(last_.front);
    // No window in front is a moment of a switch (Windows has none while the
    // front passes from one window to the next, as on the user's way back to
    // the terminal): the front is judged at the next look that has one.
    if (look.front != 0 && look.front != last_.front && !backHome) {
        const auto front = look.windows.find(look.front);
        const auto behind = look.windows.find(last_.front);
        if (front != look.windows.end() && front->second.visible && !isHome(look.front))
            add(at, ChangeKind::CameToFront, look.front, front->second);
        else if (behind != look.windows.end() && behind->second.visible &&
                 reported(last_.front, behind->second))
            add(at, ChangeKind::WentBehind, last_.front, behind->second);
    }
    if (backHome) {
        ended_ = true;
        endedAt_ = at;
    }
    for (auto it = lives_.begin(); it != lives_.end();) {
        const auto now = look.windows.find(it->first);
        if (now == look.windows.end()) {
            it = lives_.erase(it);
            continue;
        }
        it->second.everVisible = it->second.everVisible || now->second.visible;
        ++it;
    }
    const std::uint64_t front = look.front != 0 ? look.front : last_.front;
    last_ = look;
    last_.front = front;
}

std::vector<DesktopChange> DesktopChanges::takeChanges() {
    std::vector<DesktopChange> taken;
    taken.swap(changes_);
    deltas_.clear();
    first_ = last_;
    return taken;
}

DesktopLook DesktopChanges::desktopAfter(std::uint32_t number) const {
    DesktopLook desktop = first_;
    for (const LookDelta& delta : deltas_) {
        if (delta.number > number)
            break;
        for (const auto& window : delta.changed)
            desktop.windows[window.first] = window.second;
        for (std::uint64_t gone : delta.gone)
            desktop.windows.erase(gone);
        desktop.front = delta.front;
    }
    return desktop;
}

const wchar_t* changeWords(ChangeKind kind) {
    const wchar_t* const words[] = {L"appeared",    L"closed",    L"came to front",
                                    L"went behind", L"minimized", L"restored",
                                    L"shown",       L"hidden",    L"new title"};
    return words[static_cast<int>(kind)];
}
