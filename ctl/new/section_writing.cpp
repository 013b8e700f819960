#include "ctl/new/section_writing.h"
#include "base/file_write.h"
#include "ctl/checker/check.h"
#include "ctl/io/program_paths.h"
#include "ctl/new/rule_file_append.h"

SectionWritten writeSection(const std::wstring& file, const std::wstring& section,
                            const std::wstring& text, bool dryRun) {
    SectionWritten result;
    std::string content;
    bool exists = false;
    if (!withSectionAdded(file, text, content, exists, result.why))
        return result;
    const std::wstring target = dryRun ? temporaryFile(L"palimoorctl-new.ini") : file;
    std::wstring problem;
    if (!writeFileBytes(target, content, &problem)) {
        result.why = L"cannot write " + shownPath(target) + L": " + problem;
        return result;
    }
    result.written = !dryRun;
    CheckReport report;
    const CheckSink sink{[&](const CheckFinding& finding) {
                             result.findings += formatFinding(shownPath(file), finding, false);
                         },
                         [&](const SectionVerdict& verdict) { result.loads = verdict.loads; }};
    checkRuleFile(target, {section}, sink, report);
    result.errors = report.errors;
    result.warnings = report.warnings;
    return result;
}
