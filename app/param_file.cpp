#include "app/param_file.h"
#include "app/command_line.h"
#include "base/path_text.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"

std::wstring paramFilePath(const std::wstring& directory, const std::wstring& exeFileName,
                           const std::wstring& paramfile) {
    if (!paramfile.empty())
        return directory + L"\\" + paramfile;
    return directory + L"\\" + baseNameOf(exeFileName) + L"Param.txt";
}

void readParamFile(Settings& settings, const std::wstring& path) {
    std::vector<std::wstring> lines;
    if (!readTextLines(path, lines))
        return;
    for (const std::wstring& line : lines) {
        if (!isBlankOrComment(line))
            parseOption(settings, line);
    }
}
