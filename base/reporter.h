// Diagnostics: a value that knows the caption, the debug switch and the
// owner of the boxes it shows. Where the messages go is its sink: message
// boxes by default, or a list of findings for the rule checker and the tests.
#pragma once
#include "base/message_box.h"
#include <string>
#include <vector>

// Which of the rule phase's messages a finding is, for a reader that must
// tell them apart (palimoorctl) without reading the text of a box.
enum class MessageId { Other, CannotOpen, SectionNotFound, UnknownKey, BadValue, NoWindow };

struct ReportedMessage {
    std::wstring text; // the message exactly as a box would show it
    int line;          // the rule-file line it is about, from 1; 0 for none
    MessageId id;
};

class Reporter {
  public:
    explicit Reporter(WindowHandle owner = nullptr, bool enabled = true)
        : owner_(owner), enabled_(enabled) {}

    bool setEnabled(bool enabled);
    std::wstring setCaption(std::wstring caption);
    std::wstring caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    // From now on messages are appended to `findings` instead of shown;
    // null shows them again. Copies of this reporter share the list.
    void collectInto(std::vector<ReportedMessage>* findings) { findings_ = findings; }
    // An enabled reporter that collects every message into `findings`.
    static Reporter collecting(std::vector<ReportedMessage>* findings) {
        Reporter reporter(nullptr, true);
        reporter.collectInto(findings);
        return reporter;
    }

    // Shown only while enabled; a missing owner means the foreground window.
    void show(const std::wstring& text, const std::wstring& caption, unsigned style) const;
    void show(const std::wstring& text, unsigned style, MessageId id = MessageId::Other) const {
        showAt(0, text, style, id);
    }
    // The same, about one line of the rule file.
    void showAt(int line, const std::wstring& text, unsigned style,
                MessageId id = MessageId::Other) const;

  private:
    WindowHandle owner_;
    bool enabled_;
    std::wstring caption_;
    std::vector<ReportedMessage>* findings_ = nullptr;
};
