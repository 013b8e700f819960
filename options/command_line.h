// Turning the command line into Settings.
#pragma once
#include "base/settings.h"
#include <string>
#include <vector>

// Splits at runs of separators; a double-quoted stretch, separators included,
// stays inside its token, quotes and all.
std::vector<std::wstring> splitTokens(const std::wstring& text, const std::wstring& separators);
// Drops a leading double quote and, if there was one, a trailing one too.
std::wstring stripQuotes(const std::wstring& token);
// The option tokens, as split: everything before the first "-section=", which
// itself stays as the last token. `section` gets what follows it, verbatim.
std::vector<std::wstring> optionTokens(const std::wstring& commandLine, std::wstring& section);
// What parseOptions reads in a command line, for a reader that explains it
// (palimoorctl); palimoor.exe asks for none of it.
struct OptionReading {
    struct Token {
        std::wstring text; // quotes taken off, as the options see it
        bool honoured;     // an option took it
    };
    std::vector<Token> tokens; // in order, up to the "-section=" that ends them
    bool sectionGiven = false;
    std::wstring paramFile; // the parameter file it looked for
    std::wstring ruleFile;  // the rule file the options name
};

// The whole command line: section, parameter file, then the options in order.
bool parseOptions(Settings& settings, const std::wstring& programName,
                  const std::wstring& modulePath, const std::wstring& commandLine);
// What parseOptions read, given the settings it left: the same tokens, up to
// the one it refused, the same files.
OptionReading readOptions(const Settings& settings, const std::wstring& modulePath,
                          const std::wstring& commandLine, bool accepted);
