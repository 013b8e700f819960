// ctl/new/: a rule learned from one demonstration: the desktop's changes
// recorded, the window the user acted on, the narrowest stable way to name
// it, the state shown, and the section written as check checks it. It uses
// ctl/observed/, ctl/reading/ and ctl/io/, no other room.
//
// The desktop's changes, from one look at the top-level windows to the next.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A top-level window as a look sees it.
struct WindowLook {
    std::wstring className;
    std::wstring title;
    std::wstring program; // file name; empty when it cannot be read
    bool visible = false;
    bool minimized = false;
    bool taskbar = false; // the taskbar would show it: unowned, no tool window
};

// One look: every top-level window by its handle, and the one in front.
struct DesktopLook {
    std::map<std::uint64_t, WindowLook> windows;
    std::uint64_t front = 0;
};

enum class ChangeKind {
    Appeared,
    Closed,
    CameToFront,
    WentBehind,
    Minimized,
    Restored,
    Shown,
    Hidden,
    Renamed,
};

struct DesktopChange {
    std::uint32_t at; // ms since the recording began
    ChangeKind kind;
    std::uint64_t window;
    WindowLook look;          // as it was then (a closed one: as last seen)
    std::wstring titleBefore; // for Renamed
};

// Follows the looks and says what changed. Windows that are neither visible
// nor ever were are left out, and so is the window `ignored` (the console
// palimoorctl runs in).
class DesktopChanges {
  public:
    explicit DesktopChanges(std::uint64_t ignored = 0) : ignored_(ignored) {}
    // The first look: what is there already, no change.
    void start(const DesktopLook& look);
    void next(const DesktopLook& look, std::uint32_t at);
    const std::vector<DesktopChange>& changes() const { return changes_; }
    // Every window seen visible, as last seen: for telling one from the others.
    const std::map<std::uint64_t, WindowLook>& seen() const { return seen_; }

  private:
    void add(std::uint32_t at, ChangeKind kind, std::uint64_t window, const WindowLook& look,
             const std::wstring& titleBefore = std::wstring());
    std::uint64_t ignored_;
    DesktopLook last_;
    std::map<std::uint64_t, WindowLook> seen_;
    std::vector<DesktopChange> changes_;
};

// "appeared", "came to front", ...
const wchar_t* changeWords(ChangeKind kind);
