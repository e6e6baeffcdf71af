#include "container/VoLog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/LogCapture.h"

namespace {

// The line a report from this file at aLine produces.
std::string LineFrom(const char* apLevel, int aLine, const std::string& aText) {
    return std::string(apLevel) + "tests/container/VoLogTest.cpp, " + std::to_string(aLine) + ": " + aText;
}

}  // namespace

TEST(VoLog, EachLevelWritesItsPrefixSourceAndLine) {
    LogCapture log;
    const int first = __LINE__ + 1;
    VO_ERROR("AddEvent failure. ID duplication: ", VoString(u"evt_x"));
    VO_WARNING("Out of available heaps.");
    VO_NOTE("Working directory: ", "/tmp");
    VO_ASSERT_FAILURE("Invalid header.");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                               LineFrom("ERROR: ", first, "AddEvent failure. ID duplication: evt_x"),
                               LineFrom("WARNING: ", first + 1, "Out of available heaps."),
                               LineFrom("NOTE: ", first + 2, "Working directory: /tmp"),
                               LineFrom("ASSERT FAILURE: ", first + 3, "Invalid header."),
                           }));
}

TEST(VoLog, FurtherValuesFormatAsTheStringFormatsThem) {
    LogCapture log;
    const void* pointer = reinterpret_cast<const void*>(std::uintptr_t{0xbeef});
    // One line: compilers disagree on __LINE__ inside a macro call spread over several.
    const int line = __LINE__ + 1;
    VO_ERROR("v ", -42, " ", 4294967295u, " ", 2.5f, " ", 0.5, " ", true, " ", sizeof(int), " ", pointer);
    EXPECT_EQ(
        log.Lines(),
        (std::vector<std::string>{LineFrom("ERROR: ", line, "v -42 -1 2.500000 0.500000 true 4 beef")}));
}

TEST(VoLog, AssertLogsOnlyWhenTheConditionIsFalseAndGoesOn) {
    LogCapture log;
    int reached = 0;
    VO_ASSERT(1 + 1 == 2, "never");
    const int line = __LINE__ + 1;
    VO_ASSERT(reached == 1, "reached: ", reached);
    ++reached;
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{LineFrom("ASSERT FAILURE: ", line, "reached: 0")}));
}

TEST(VoLog, LinesAppendInOrderAfterEarlierContent) {
    LogCapture log;
    {
        std::ofstream earlier(log.FilePath());
        earlier << "from an earlier run\n";
    }
    VoLog::WriteLine(u"one");
    VoLog::WriteLine(u"");
    VoLog::WriteLine(u"two");
    EXPECT_EQ(log.Contents(), "from an earlier run\none\n\ntwo\n");
}

TEST(VoLog, NullTextWritesNothing) {
    LogCapture log;
    VoLog::WriteLine(nullptr);
    EXPECT_FALSE(std::filesystem::exists(log.FilePath()));
}

TEST(VoLog, WritesTheLowByteOfEveryUnit) {
    LogCapture log;
    const char16_t text[] = {u'a', 0xFFE9, 0x00E9, 0x0141, 0x0080, u'z', 0};
    VoLog::WriteLine(text);
    EXPECT_EQ(log.Contents(), std::string("a\xE9\xE9\x41\x80z\n"));

    // Narrow text widened by the string comes back byte for byte.
    log.Clear();
    VoLog::Report(VoString("caf\xE9"));
    EXPECT_EQ(log.Contents(), std::string("caf\xE9\n"));
}

TEST(VoLog, LongLinesAreWrittenWhole) {
    LogCapture log;
    std::u16string text(5000, u'x');
    text[0] = u'<';
    text.back() = u'>';
    VoLog::WriteLine(text.c_str());
    EXPECT_EQ(log.Contents(), "<" + std::string(4998, 'x') + ">\n");
}

TEST(VoLog, FolderChangesWhereLinesGo) {
    LogCapture log;
    EXPECT_EQ(TextOf(VoLog::GetFolder()), std::u16string(log.Folder().begin(), log.Folder().end()));
    const std::string inner = log.Folder() + "/inner";
    std::filesystem::create_directory(inner);
    VoLog::SetFolder(VoString(inner.c_str()));
    VoLog::WriteLine(u"inside");
    EXPECT_EQ(log.Contents(), "");
    std::ifstream in(inner + "/log.txt");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "inside");
}

TEST(VoLog, EmptyFolderMeansTheWorkingDirectory) {
    LogCapture log;
    char previous[PATH_MAX];
    ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(chdir(log.Folder().c_str()), 0);
    VoLog::SetFolder(VoString(u""));
    EXPECT_EQ(VoLog::GetFolder().GetLength(), 0);
    VoLog::WriteLine(u"here");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(log.Contents(), "here\n");
}

TEST(VoLog, AnUnwritableLogLosesItsLinesAndSaysSoOnceOnStandardError) {
    LogCapture log;
    const std::string missing = log.Folder() + "/no/such/folder";
    // A folder that is really a file cannot hold the log either.
    const std::string file = log.Folder() + "/plain";
    std::ofstream(file) << "x";
    for (const std::string& folder : {missing, file}) {
        SCOPED_TRACE(folder);
        VoLog::SetFolder(VoString(folder.c_str()));
        testing::internal::CaptureStderr();
        VoLog::WriteLine(u"lost");
        VO_ERROR("also lost");
        VoLog::WriteLine(u"lost too");
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(told.rfind(std::string(VoLog::kCannotWrite) + folder + "/log.txt: ", 0), 0u) << told;
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    // A log that can be written says nothing there.
    VoLog::SetFolder(VoString(log.Folder().c_str()));
    testing::internal::CaptureStderr();
    VoLog::WriteLine(u"kept");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(log.Contents(), "kept\n");
}

TEST(VoLog, WriteLineAndPrintPutsTheLineInTheLogAndOnStandardError) {
    LogCapture log;
    testing::internal::CaptureStderr();
    VoLog::WriteLineAndPrint(u"no display");
    VoLog::WriteLineAndPrint(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "no display\n");
    EXPECT_EQ(log.Contents(), "no display\n");
}

TEST(VoLog, ATooLongFolderIsRefused) {
    LogCapture log;
    const std::u16string longFolder(VoLog::kMaxFolderLength + 1, u'd');
    VoLog::SetFolder(VoString(longFolder.c_str()));
    EXPECT_EQ(TextOf(VoLog::GetFolder()), std::u16string(log.Folder().begin(), log.Folder().end()));
    EXPECT_EQ(log.Count(VoLog::kFolderTooLong), 1);
}
