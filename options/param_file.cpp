#include "options/param_file.h"
#include "base/path_text.h"
#include "options/option.h"
#include "rules/ini_reader.h"
#include "rules/text_file.h"

std::wstring paramFilePath(const std::wstring& directory, const std::wstring& exeFileName,
                           const std::wstring& paramfile) {
    if (!paramfile.empty())
        return directory + L"\\" + paramfile;
    return directory + L"\\" + baseNameOf(exeFileName) + L"Param.txt";
}

void readParamFile(Settings& settings, const std::wstring& path) {
    forEachTextLine(path, [&](const std::wstring& line, int) {
        if (!isBlankOrComment(line))
            parseOption(settings, line);
    });
}
