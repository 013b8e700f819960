#include "options/param_file.h"
#include "tests/unit/fake_system.h"
#include <gtest/gtest.h>

namespace {

const std::wstring kDefaultFile = L"\\Program Files\\Palimoor\\PalimoorParam.txt";

Settings readFile(const std::string& content) {
    fakeSystem.reset();
    fakeSystem.files[kDefaultFile] = content;
    Settings settings;
    readParamFile(settings, kDefaultFile);
    return settings;
}

TEST(ParamFilePath, DefaultAndNamedFilesSitBesideTheExecutable) {
    EXPECT_EQ(paramFilePath(L"\\Program Files\\Palimoor", L"Palimoor.exe", L""), kDefaultFile);
    EXPECT_EQ(paramFilePath(L"\\Program Files\\Palimoor", L"Palimoor", L""), kDefaultFile);
    EXPECT_EQ(paramFilePath(L"\\P", L"a.b.exe", L""), L"\\P\\a.bParam.txt");
    EXPECT_EQ(paramFilePath(L"\\P", L"x.exe", L"my.txt"), L"\\P\\my.txt");
    EXPECT_EQ(paramFilePath(L"\\P", L"x.exe", L"\\abs.txt"), L"\\P\\\\abs.txt");
}

TEST(ParamFile, LinesAreWholeOptionsWithoutTrimming) {
    Settings s = readFile("# comment\n  \t\n\xE3\x80\x80\xE3\x80\x80\n  # indented comment\n"
                          "-showtask=TRUE\r\n-inifile=\\My Documents\\r u.ini \n");
    EXPECT_TRUE(s.showtask);
    EXPECT_EQ(s.inifile, L"\\My Documents\\r u.ini ");
    EXPECT_TRUE(fakeSystem.boxes.empty());

    s = readFile(" -showtask=TRUE\n\"-showicon=FALSE\"\n-section=X\n-paramfile=y\nfree text\n");
    EXPECT_FALSE(s.showtask);
    EXPECT_TRUE(s.showicon);
    EXPECT_EQ(s.section, L"");
    EXPECT_EQ(s.paramfile, L"");
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

TEST(ParamFile, RejectedLineIsReportedAndReadingGoesOn) {
    const Settings s = readFile("-debug=TRUE #on\n-showtask=TRUE\n-debug=TRUE\n-debug=FALSE");
    EXPECT_EQ(fakeSystem.texts(), std::vector<std::wstring>{L" パラメータ不正\n-debug=TRUE #on"});
    EXPECT_TRUE(s.showtask);
    EXPECT_FALSE(s.debug); // the later line wins, also without a final line feed
}

TEST(ParamFile, MissingFileIsSilent) {
    fakeSystem.reset();
    Settings settings;
    readParamFile(settings, L"\\nowhere.txt");
    EXPECT_TRUE(fakeSystem.boxes.empty());
}

} // namespace
