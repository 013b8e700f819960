// Entry point: the start-up phases in their fixed order. Exit code 0 after a
// run, 1 whenever start-up stops.
#include "options/command_line.h"
#include "rules/ini_reader.h"
#include "rules/rule_loader.h"
#include "shell/app_state.h"
#include "shell/instance_control.h"
#include "shell/shell_window.h"
#include "shell/status.h"
#include "watch/run_driver.h"
#include <cstdlib>

namespace {

// The command-line phase: options, the reporter's switch and caption, then
// what other waiting instances mean for this one.
bool parseCommandLine(const std::wstring& commandLine) {
    if (!parseOptions(app.settings, kProgramName, app.modulePath, commandLine))
        return false;
    app.reporter.setEnabled(app.settings.debug);
    app.reporter.setCaption(app.settings.appName + L" " + app.settings.windowTitle);
    app.rule.assignReporter(app.reporter);
    return applyExecMode();
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    GetModuleFileNameW(instance, app.modulePath, MAX_PATH);
    app.modulePath[MAX_PATH - 1] = L'\0';
    if (!parseCommandLine(commandLine ? commandLine : L""))
        return 1;
    // A box waits for the user: the next start of this section need not wait
    // with it. Without -debug=TRUE the only box is the load failure's.
    if (app.settings.debug)
        releaseStartLock();
    std::uint64_t keysHash = 0;
    if (!loadRule(app.modulePath, app.settings, app.reporter, app.rule, releaseStartLock,
                  &keysHash))
        return 1;
    noteRuleKeys(keysHash);
    app.ruleFile = iniFilePath(app.modulePath, app.settings.inifile);
    if (!initInstance(instance, showCommand))
        return 1;
    runDriver();
    return 0;
}
