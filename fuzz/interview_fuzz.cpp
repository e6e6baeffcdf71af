// Reads arbitrary bytes as the files of an interview: a two-byte
// little-endian length and that many bytes of catalogue, then a second such
// length and that many bytes of interview file, the rest the subtitle file.
// They are written to a scratch folder mounted as "//interviews" (the
// catalogue followed by an entry "fz" for the interview file and its
// subtitles "fz_subtitles.txt"; the file is "fCL.txt", "fRE.txt", "fSU.txt"
// or "fz.txt" by the interview file's size mod 4, the kind it gives an
// expert interview), and the interview of every catalogue
// id is looked up, started, and driven through every opening and ending and
// every topic's modes, each to its end, with voice lines that end a frame
// after they start; then it ends and the interviews are cleared. A sequence
// that never ends stops the run.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "container/VoPropertyList.h"
#include "gdi/VoIButtonListener.h"
#include "interview/MGIInterviewListener.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewTopic.h"
#include "support/InterviewFuzz.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr std::size_t kMaxSize = 0x8000;
constexpr int kMaxFrames = 40000;
constexpr int kMaxIds = 4;
constexpr int kMaxTopics = 8;

// The scratch folder of this process, made once.
const std::string& Folder() {
    static const std::string sFolder = [] {
        const std::string folder = "/tmp/vo_interview_fuzz_" + std::to_string(getpid());
        mkdir(folder.c_str(), 0700);
        return folder;
    }();
    return sFolder;
}

void WriteFile(const std::string& aName, const std::uint8_t* apData, std::size_t aSize,
               const char* apTail = "") {
    FILE* file = std::fopen((Folder() + "/" + aName).c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (aSize > 0) {
        std::fwrite(apData, 1, aSize, file);
    }
    std::fputs(apTail, file);
    std::fclose(file);
}

// Frames until the interview is no longer busy; a run that never ends stops.
void RunToEnd(MGInterview* apInterview, int* apFrame) {
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    for (int i = 0; i < kMaxFrames; ++i) {
        // A change of scene may have cleared the interviews.
        if (manager == nullptr || manager->GetCurrentInterview() != apInterview || !apInterview->IsBusy()) {
            return;
        }
        InterviewFrame((*apFrame)++);
    }
    std::abort();
}

class Listener : public MGIInterviewListener {
public:
    void OnInterviewEvent(int) override {}
};

void Drive(MGInterview* apInterview, int* apFrame) {
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    Listener listener;
    apInterview->SetListener(&listener);
    manager->StartInterview();
    RunToEnd(apInterview, apFrame);
    // An expert plays none of the witness's openings and endings but its exit.
    const bool expert = apInterview->GetType() == VoString(u"expert");
    void (MGInterview::*plays[])() = {&MGInterview::PlayBargaining, &MGInterview::PlayDenied,
                                      &MGInterview::PlayIntros,     &MGInterview::PlayNoInfos,
                                      &MGInterview::PlayExit,       &MGInterview::PlayFailedExit};
    for (void (MGInterview::*play)() : plays) {
        if (expert && play != &MGInterview::PlayExit) {
            continue;
        }
        if (manager->GetCurrentInterview() != apInterview) {
            return;
        }
        apInterview->Start();
        (apInterview->*play)();
        RunToEnd(apInterview, apFrame);
    }
    VoPropertyList* data = apInterview->GetData();
    VoPropertyList* topics = data != nullptr ? data->GetList(VoString(u"topics")) : nullptr;
    for (int i = 0; topics != nullptr && i < topics->GetCount() && i < kMaxTopics; ++i) {
        for (int mode = 0; mode < MGInterviewTopic::kModeCount; ++mode) {
            if (manager->GetCurrentInterview() != apInterview) {
                return;
            }
            apInterview->Start();
            RunToEnd(apInterview, apFrame);
            if (manager->GetCurrentInterview() != apInterview) {
                return;
            }
            // Topics are chosen only when the opening has led to them.
            if (!apInterview->IsRunning()) {
                continue;
            }
            apInterview->OnButtonEvent(topics->GetKeyAt(i), VoIButtonListener::kClick);
            apInterview->OnButtonEvent(VoString(u"mode_") + MGInterviewTopic::ModeKey(mode),
                                       VoIButtonListener::kClick);
            RunToEnd(apInterview, apFrame);
        }
    }
    if (expert && manager->GetCurrentInterview() == apInterview) {
        apInterview->Start();
        RunToEnd(apInterview, apFrame);
        apInterview->OnButtonEvent(VoString(u"btn_exit"), VoIButtonListener::kClick);
        for (int i = 0; i < 64 && manager->GetCurrentInterview() == apInterview; ++i) {
            InterviewFrame((*apFrame)++);
        }
    }
    if (manager->GetCurrentInterview() == apInterview) {
        apInterview->End();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    if (aSize > kMaxSize) {
        return 0;
    }
    QuietFuzzLog();
    const std::uint8_t* catalogue = nullptr;
    const std::uint8_t* rest = nullptr;
    const std::uint8_t* interview = nullptr;
    const std::uint8_t* subtitles = nullptr;
    std::size_t catalogueSize = 0;
    std::size_t restSize = 0;
    std::size_t interviewSize = 0;
    std::size_t subtitlesSize = 0;
    SplitFuzzInput(apData, aSize, &catalogue, &catalogueSize, &rest, &restSize);
    SplitFuzzInput(rest, restSize, &interview, &interviewSize, &subtitles, &subtitlesSize);
    const char* const dataFiles[] = {"fCL.txt", "fRE.txt", "fSU.txt", "fz.txt"};
    const std::string dataFile = dataFiles[interviewSize % 4];
    // An earlier input's file would answer this one's catalogue.
    for (const char* old : dataFiles) {
        unlink((Folder() + "/" + old).c_str());
    }
    const std::string entry = "\nfz\n\tdata=" + dataFile + "\n\tsubtitles=fz_subtitles.txt\n";
    WriteFile("interviews.txt", catalogue, catalogueSize, entry.c_str());
    WriteFile(dataFile, interview, interviewSize);
    WriteFile("fz_subtitles.txt", subtitles, subtitlesSize);

    StartInterviewGame();
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    if (files != nullptr) {
        files->Mount(VoString(u"//interviews"), VoString(Folder().c_str()));
    }
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    VoPropertyList ids;
    ids.Load(VoString(u"//interviews/interviews.txt"), true);
    int frame = 0;
    for (int i = 0; manager != nullptr && i < ids.GetCount() && i < kMaxIds; ++i) {
        const VoString id = ids.GetKeyAt(i);
        if (i % 2 == 1) {
            manager->PreloadInterview(id);
        }
        if (MGInterview* found = manager->GetInterview(id)) {
            Drive(found, &frame);
        }
        manager->ClearInterviews();
    }
    StopInterviewGame();
    return 0;
}
