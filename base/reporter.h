// Diagnostics: a value that knows the caption, the debug switch and the
// owner of the boxes it shows.
#pragma once
#include "app/message_box.h"
#include <string>

class Reporter {
  public:
    explicit Reporter(WindowHandle owner = nullptr, bool enabled = true)
        : owner_(owner), enabled_(enabled) {}

    bool setEnabled(bool enabled);
    std::wstring setCaption(std::wstring caption);
    std::wstring caption() const { return caption_; }
    bool enabled() const { return enabled_; }

    // Shown only while enabled; a missing owner means the foreground window.
    void show(const std::wstring& text, const std::wstring& caption, unsigned style) const;
    void show(const std::wstring& text, unsigned style) const { show(text, caption_, style); }

  private:
    WindowHandle owner_;
    bool enabled_;
    std::wstring caption_;
};
