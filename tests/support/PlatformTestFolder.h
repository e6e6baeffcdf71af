#pragma once
// A scratch folder under the test's working directory, named after the test
// and removed afterwards, and the log lines written while it exists.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "container/VoString.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

class PlatformTestFolder {
public:
    PlatformTestFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        fRoot = std::filesystem::current_path() / (std::string("tmp_") + test->test_suite_name() + "_" +
                                                   test->name() + "_" + std::to_string(getpid()));
        Remove();
        std::filesystem::create_directories(fRoot);
    }
    ~PlatformTestFolder() { Remove(); }
    PlatformTestFolder(const PlatformTestFolder&) = delete;
    PlatformTestFolder& operator=(const PlatformTestFolder&) = delete;

    std::string Files() const { return fRoot.string(); }
    // A path under Files().
    std::string Path(const std::string& aRelative) const { return Files() + "/" + aRelative; }
    static VoString Wide(const std::string& aText) { return VoString(aText.c_str()); }

    void Write(const std::string& aRelative, const std::string& aContents) const {
        const std::filesystem::path path = Path(aRelative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << aContents;
    }
    std::string Read(const std::string& aRelative) const {
        std::ifstream in(Path(aRelative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& aRelative) const { return std::filesystem::exists(Path(aRelative)); }
    // The entries directly in the folder, to see that nothing was left behind.
    int CountEntries() const {
        std::error_code error;
        int count = 0;
        for (std::filesystem::directory_iterator it(fRoot, error), end; !error && it != end;
             it.increment(error)) {
            ++count;
        }
        return count;
    }

    std::vector<std::string> LogLines() const { return fLog.Lines(); }
    // Whether a line of the given level ("ERROR: ", ...) carries exactly aText.
    bool Logged(const std::string& aLevel, const std::string& aText) const {
        return fLog.Logged(aLevel, aText);
    }
    bool LoggedError(const std::string& aText) const { return Logged("ERROR: ", aText); }
    bool LogEmpty() const { return LogLines().empty(); }

private:
    void Remove() const {
        std::error_code error;
        if (!std::filesystem::exists(fRoot, error)) {
            return;
        }
        // Read-only files and folders, the root among them, must not outlive the test.
        std::filesystem::permissions(fRoot, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     error);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(fRoot, error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
        std::filesystem::remove_all(fRoot, error);
    }

    std::filesystem::path fRoot;
    LogCapture fLog;
};
