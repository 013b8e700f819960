// The desktop's changes, from one look at the top-level windows to the next,
// and the desktop as it was at each of them.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A top-level window as a look sees it.
struct WindowLook {
    std::wstring className;
    std::wstring title;
    std::wstring program;      // file name; empty when it cannot be read
    std::uint32_t process = 0; // the process that owns it
    bool visible = false;
    bool minimized = false;
    bool taskbar = false; // the taskbar would show it: unowned, no tool window

    bool operator==(const WindowLook& other) const {
        return className == other.className && title == other.title && program == other.program &&
               process == other.process && visible == other.visible &&
               minimized == other.minimized && taskbar == other.taskbar;
    }
    bool operator!=(const WindowLook& other) const { return !(*this == other); }
};

// One look: every top-level window by its handle, hidden ones too, and the
// one in front.
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
    WindowLook look;              // as it was then (a closed one: as last seen)
    std::wstring titleBefore;     // for Renamed
    std::uint32_t lookNumber = 0; // the look that saw it (desktopAfter tells that desktop)
    std::uint32_t sinceLook = 0;  // the first look of the window's life (0: there at the start)
};

// Follows the looks and says what changed. Windows that are neither visible
// nor ever were make no change (unless `hiddenToo`); a window made hidden a
// moment before it shows "appeared", one hidden for longer was "shown". The
// console palimoorctl runs in makes none. In a demonstration the user's own
// windows are the console and the window in front at the first look (the
// terminal typed in): the front coming back to one of them ends it; nothing
// after it is taken (but the close of a window hidden on its way out), and
// neither is what its coming back did (the window shown going behind).
class DesktopChanges {
  public:
    // A demonstration, recorded from the console `console` (0: none).
    explicit DesktopChanges(std::uint64_t console = 0) : console_(console) {}
    // A watch that goes on for as long as it is asked: no end, hidden
    // windows' changes too when asked.
    static DesktopChanges watch(bool hiddenToo);
    // The first look: what is there already, no change.
    void start(const DesktopLook& look);
    void next(const DesktopLook& look, std::uint32_t at);
    const std::vector<DesktopChange>& changes() const { return changes_; }
    // The front came back to one of the homes, when (ms).
    bool ended() const { return ended_; }
    std::uint32_t endedAt() const { return endedAt_; }
    // The desktop as look `number` left it (0: the first look); a number
    // beyond the end of the demonstration gives the last look taken in it.
    DesktopLook desktopAfter(std::uint32_t number) const;
    // The last look, also after the end: which programs still run.
    const DesktopLook& latest() const { return last_; }
    // The changes so far, handed over and forgotten with the desktops before
    // the last look: a watch that lasts keeps only what it has not yet said.
    std::vector<DesktopChange> takeChanges();

  private:
    struct LookDelta {
        std::uint32_t number;
        std::vector<std::pair<std::uint64_t, WindowLook>> changed;
        std::vector<std::uint64_t> gone;
        std::uint64_t front;
    };
    struct Life {
        std::uint32_t since; // the look that first saw it
        std::uint32_t at;    // when
        bool everVisible;
    };
    bool isHome(std::uint64_t window) const;
    bool reported(std::uint64_t window, const WindowLook& look) const;
    void add(std::uint32_t at, ChangeKind kind, std::uint64_t window, const WindowLook& look,
             const std::wstring& titleBefore = std::wstring());
    void logDelta(const DesktopLook& look);
    void closingAfterEnd(const DesktopLook& look, std::uint32_t at);
    std::uint64_t console_;
    std::vector<std::uint64_t> homes_;
    bool endsAtHome_ = true;
    bool hiddenToo_ = false;
    bool ended_ = false;
    std::uint32_t endedAt_ = 0;
    std::uint32_t number_ = 0;
    DesktopLook first_;
    DesktopLook last_;
    std::map<std::uint64_t, Life> lives_; // of the windows of the last look
    std::vector<LookDelta> deltas_;
    std::vector<DesktopChange> changes_;
};

// "appeared", "came to front", ...
const wchar_t* changeWords(ChangeKind kind);
