// What `palimoorctl check` reports, and its three output forms: text, the
// compilers' form (--format msvc) and JSON.
#pragma once
#include "ctl/io/json_writer.h"
#include <string>

enum class Severity { Error, Warning, Note };

// Each kind of finding's number, stable from release to release: the guide
// lists them, and --format msvc shows them as PAL<number>. Errors are 1xx
// (101 to 104 are palimoor.exe's own refusals, by its message), warnings 2xx,
// notes 3xx.
enum class FindingCode {
    WillNotLoad = 100, // a section's verdict
    UnknownKey = 101,
    BadValue = 102,
    SectionNotFound = 103,
    NoWindow = 104,
    NoKeyLine = 105,
    TitlematchWithoutTitle = 106,
    CrOnlyLineEnds = 107,
    RefusedOption = 108,
    RuleFileMissing = 109,
    KeyBeforeHeader = 201,
    SemicolonComment = 202,
    NoEquals = 203,
    NoKey = 204,
    HeaderWithBlanks = 205,
    HeaderWithCr = 206,
    CommentAfterHeader = 207,
    ClassWithBlanks = 208,
    TitleWithBlanks = 209,
    TextAfterNumber = 210,
    SetAgain = 211,
    BuiltinWithBlanks = 212,
    SyncBlank = 213,
    SleepWithoutNumber = 214,
    SleepBlank = 215,
    ParametersWithoutBar = 216,
    ClipboardCase = 217,
    ShortcutCase = 218,
    ProcessNeverMatches = 219,
    OntimeoutNeverRuns = 220,
    OnunmatchNeverRuns = 221,
    NameNoCommandLineCarries = 222,
    SectionAgain = 223,
    StrayCr = 224,
    NoHeader = 225,
    NotUtf8 = 226,
    MalformedUtf8 = 227,
    LeadByteTakes = 228,
    ParameterFileLine = 229,
    NoSectionOption = 230,
    IgnoredToken = 231,
    OptionAfterSection = 232,
    QuotedSection = 233,
    AbsoluteIniFile = 234,
    ProcessMayNotMatch = 235,
    ProcessEmpty = 236,
    RepeatWithCurrent = 237,
    CodePage = 301,
    NearWindows = 302,
    WasAProgram = 303,
};

struct CheckFinding {
    int line; // from 1; 0 for one about the whole file
    Severity severity;
    FindingCode code;
    std::wstring message;        // the reason, in English, made visible
    std::wstring programMessage; // what palimoor.exe's own box shows; empty for none
};

// One checked section: whether palimoor.exe loads it (it may still refuse
// some of its lines).
struct SectionVerdict {
    std::wstring name;
    int line; // its first header; 0 when the file has none
    bool loads;
};

// FILE:LINE: error: TEXT [the program message's first line], and a line feed.
std::wstring formatFinding(const std::wstring& file, const CheckFinding& finding, bool colour);
// The same as compilers write it, for editors and CI problem matchers:
// FILE(LINE): error PAL101: TEXT [...], or FILE: error ... about the whole file.
std::wstring formatFindingMsvc(const std::wstring& file, const CheckFinding& finding);
// FILE: [NAME] will not load: ..., for a section that does not load; in the
// compilers' form, an error PAL100 at its header.
std::wstring formatVerdict(const std::wstring& file, const SectionVerdict& verdict,
                           bool msvc = false);
// "PAL101".
std::wstring codeText(FindingCode code);
// The JSON objects {file, line, severity, code, message, program_message} and
// {name, line, loads}.
void writeFindingJson(JsonWriter& json, const std::wstring& file, const CheckFinding& finding);
void writeVerdictJson(JsonWriter& json, const SectionVerdict& verdict);
