// Entry point: the start-up phases in their fixed order. Exit code 0 after a
// run, 1 whenever start-up stops.
#include "app/app_state.h"
#include "app/command_line.h"
#include "rules/ini_reader.h"
#include <cstdlib>

AppState app;

bool parseCommandLine(const std::wstring& commandLine) {
    if (!parseOptions(app.settings, kProgramName, app.modulePath, commandLine))
        return false;
    app.reporter.setEnabled(app.settings.debug);
    app.reporter.setCaption(app.settings.appName + L" " + app.settings.windowTitle);
    app.rule.assignReporter(app.reporter);
    return applyExecMode();
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    GetModuleFileNameW(instance, app.modulePath, MAX_PATH);
    app.modulePath[MAX_PATH - 1] = L'\0';
    if (!parseCommandLine(commandLine ? commandLine : L""))
        return 1;
    if (!loadRule(app.modulePath, app.settings, app.reporter, app.rule))
        return 1;
    if (!initInstance(instance, showCommand))
        return 1;
    runDriver();
    return 0;
}

// The library's default handler for an uncaught exception prints a demangled
// name to a console this program does not have, and costs tens of kilobytes.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    abort();
}
} // namespace __gnu_cxx
