#include "ctl/new/desktop_changes.h"

void DesktopChanges::start(const DesktopLook& look) {
    last_ = look;
    last_.windows.erase(ignored_);
    for (const auto& window : last_.windows) {
        if (window.second.visible)
            seen_[window.first] = window.second;
    }
}

void DesktopChanges::add(std::uint32_t at, ChangeKind kind, std::uint64_t window,
                         const WindowLook& look, const std::wstring& titleBefore) {
    changes_.push_back({at, kind, window, look, titleBefore});
    seen_[window] = look;
}

void DesktopChanges::next(const DesktopLook& now, std::uint32_t at) {
    DesktopLook look = now;
    look.windows.erase(ignored_);
    for (const auto& entry : look.windows) {
        const std::uint64_t handle = entry.first;
        const WindowLook& window = entry.second;
        const auto before = last_.windows.find(handle);
        const bool everVisible = seen_.count(handle) != 0;
        if (before == last_.windows.end()) {
            if (window.visible)
                add(at, ChangeKind::Appeared, handle, window);
            continue;
        }
        const WindowLook& was = before->second;
        if (!everVisible) { // what was not read of it before is no change
            if (window.visible)
                add(at, ChangeKind::Appeared, handle, window);
            continue;
        }
        if (window.visible != was.visible)
            add(at, window.visible ? ChangeKind::Shown : ChangeKind::Hidden, handle, window);
        if (window.minimized != was.minimized)
            add(at, window.minimized ? ChangeKind::Minimized : ChangeKind::Restored, handle,
                window);
        if (window.title != was.title)
            add(at, ChangeKind::Renamed, handle, window, was.title);
    }
    for (const auto& entry : last_.windows) {
        if (look.windows.count(entry.first) == 0 && seen_.count(entry.first) != 0)
            add(at, ChangeKind::Closed, entry.first, seen_[entry.first]);
    }
    if (look.front != last_.front) {
        const auto front = look.windows.find(look.front);
        const auto behind = look.windows.find(last_.front);
        if (front != look.windows.end() && front->second.visible)
            add(at, ChangeKind::CameToFront, look.front, front->second);
        else if (behind != look.windows.end() && behind->second.visible &&
                 seen_.count(last_.front) != 0)
            add(at, ChangeKind::WentBehind, last_.front, behind->second);
    }
    last_ = look;
}

const wchar_t* changeWords(ChangeKind kind) {
    const wchar_t* const words[] = {L"appeared",    L"closed",    L"came to front",
                                    L"went behind", L"minimized", L"restored",
                                    L"shown",       L"hidden",    L"new title"};
    return words[static_cast<int>(kind)];
}
