#include "rules/rule_loader.h"
#include "rules/ini_reader.h"
#include "rules/rule_keys.h"
#include "rules/rule_messages.h"
#include "rules/text_file.h"
#include <new>

bool readRuleSection(Rule& rule, const std::wstring& path, const std::wstring& section,
                     TextFileInfo* encoding, std::uint64_t* keysHash) {
    try {
        SectionCollector collector{L"[" + section + L"]", false, {}};
        if (!forEachTextLine(
                path, [&](const std::wstring& line, int number) { collector.take(line, number); },
                encoding)) {
            rule.show(cannotOpenMessage(path), kBoxPlain, MessageId::CannotOpen);
            return false;
        }
        if (collector.keys.empty()) {
            rule.show(sectionNotFoundMessage(section), kBoxPlain, MessageId::SectionNotFound);
            return false;
        }
        if (keysHash)
            *keysHash = keyLinesHash(collector.keys);
        return applyRuleKeys(rule, collector.keys);
    } catch (const std::bad_alloc&) {
        // A file too large for memory is a file that cannot be loaded.
        return false;
    }
}

bool loadRule(const std::wstring& modulePath, const Settings& settings, const Reporter& reporter,
              Rule& rule, void (*beforeFailureBox)(), std::uint64_t* keysHash) {
    const std::wstring path = iniFilePath(modulePath, settings.inifile);
    reporter.show(iniFileMessage(path), kBoxPlain);
    if (readRuleSection(rule, path, settings.section, nullptr, keysHash))
        return true;
    if (beforeFailureBox)
        beforeFailureBox();
    showMessageBox(foregroundWindow(), loadFailedMessage(path, settings.section),
                   reporter.caption(), kBoxPlain);
    return false;
}
