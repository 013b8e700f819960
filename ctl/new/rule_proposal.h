// The rule a demonstration proposes: the narrowest way of naming the window
// shown that, replayed on the recorded desktop, does what was shown; the
// state shown; each key with the reason for it; the section's text; and how
// to put the desktop back before trying it.
#pragma once
#include "ctl/io/json_writer.h"
#include "ctl/new/rule_forms.h"
#include "ctl/new/rule_replay.h"
#include <string>
#include <vector>

struct RuleProposal {
    bool found = false;              // a way of naming it passed the replay
    std::vector<ProposedKey> keys;   // window keys, trigger, check
    std::wstring shown;              // what the demonstration showed, in words
    std::vector<std::wstring> tried; // the ways that did not do, each with why
    std::wstring tryFirst;           // what to put back before starting it
};

// `picked` is the change that decides, among the recorded `changes`;
// `demonstration` the desktops to replay on. `trigger` and `check`, when not
// empty, replace the chosen words.
RuleProposal proposeRule(const std::vector<DesktopChange>& changes, const DesktopChange& picked,
                         const Demonstration& demonstration, const std::wstring& trigger = L"",
                         const std::wstring& check = L"");
// The demonstration of `picked`: the desktop just before the look that saw
// it, as that look left it, and the last.
Demonstration demonstrationOf(const DesktopChanges& desktop, const DesktopChange& picked);

// The section as it goes into the rule file: its header, a comment of what
// was shown, each key under its reason, and exec (commented out, saying what
// to put there, unless `exec` gives it). Lines end in "\n".
std::wstring sectionText(const std::wstring& section, const RuleProposal& proposal,
                         const std::wstring& exec);
// Why nothing is written, when no way of naming it did.
std::wstring refusalText(const RuleProposal& proposal);
void writeProposalJson(JsonWriter& json, const RuleProposal& proposal);
