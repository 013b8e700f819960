// The rule a demonstration proposes: the narrowest stable way to name the
// window the user acted on, the state shown, each key with the reason for it,
// and the section's text.
#pragma once
#include "ctl/io/json_writer.h"
#include "ctl/new/desktop_changes.h"
#include <string>
#include <vector>

struct ProposedKey {
    std::wstring why; // said in a comment above the key
    std::wstring key;
    std::wstring value;
};

struct RuleProposal {
    std::vector<ProposedKey> keys; // window keys, trigger, check
    std::wstring shown;            // what the demonstration showed, in words
};

// `picked` is the change that decides (from the recorded `changes`); `seen`
// every window seen visible. `trigger` and `check`, when not empty, replace
// the chosen words.
RuleProposal proposeRule(const std::vector<DesktopChange>& changes, const DesktopChange& picked,
                         const std::map<std::uint64_t, WindowLook>& seen,
                         const std::wstring& trigger = L"", const std::wstring& check = L"");

// The section as it goes into the rule file: its header, a comment of what
// was shown, each key under its reason, and exec (commented out, saying what
// to put there, unless `exec` gives it). Lines end in "\n".
std::wstring sectionText(const std::wstring& section, const RuleProposal& proposal,
                         const std::wstring& exec);
void writeProposalJson(JsonWriter& json, const RuleProposal& proposal);
