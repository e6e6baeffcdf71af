// Reads arbitrary bytes as the data of the phone's voice mail or of the
// expert computer. The first byte picks: even, the rest is split at a
// two-byte little-endian length into a catalogue of messages and a list of
// steps, one byte each (an event, a state change, a take, an update, a
// reset; bit 1 of the first byte keeps the scripts built), then
// messages are taken until the queue is empty. Odd, the rest is split twice
// into the computer's layout, its icon file and a card; the computer of the
// kind (first byte / 2 mod 3) is opened, shows the card twice over a few
// seconds of frames and closes.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MGScreenManager.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "interview/MGExpertComputer.h"
#include "pda/MGPhone.h"
#include "state/VoStateManager.h"
#include "support/InterviewFuzz.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr std::size_t kMaxSize = 0x8000;
constexpr int kMaxSteps = 256;
constexpr int kMaxTakes = 1024;
constexpr int kComputerFrames = 96;

// Ids the steps pick from: reports of each expert in mixed case, ids too
// short to be one, plain events.
const char16_t* const kEvents[] = {u"a_CL_R", u"b_re_r", u"c_Su_R", u"_R",  u"SU_R",
                                   u"evt_a",  u"evt_b",  u"x_cl_s", u"CL_", u""};
const char16_t* const kStates[] = {u"sta_a", u"sta_b", u"sta_selectedcase"};

const std::string& Folder() {
    static const std::string sFolder = [] {
        const std::string folder = "/tmp/vo_phone_fuzz_" + std::to_string(getpid());
        mkdir(folder.c_str(), 0700);
        return folder;
    }();
    return sFolder;
}

void WriteFile(const char* apName, const std::uint8_t* apData, std::size_t aSize) {
    FILE* file = std::fopen((Folder() + "/" + apName).c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (aSize > 0) {
        std::fwrite(apData, 1, aSize, file);
    }
    std::fclose(file);
}

void Phone(std::uint8_t aFirst, const std::uint8_t* apData, std::size_t aSize) {
    const std::uint8_t* catalogue = nullptr;
    const std::uint8_t* steps = nullptr;
    std::size_t catalogueSize = 0;
    std::size_t stepCount = 0;
    SplitFuzzInput(apData, aSize, &catalogue, &catalogueSize, &steps, &stepCount);
    WriteFile("phone_messages.txt", catalogue, catalogueSize);
    MGPhone* phone = MGPhone::GetInstance();
    VoEventManager* events = VoEventManager::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    if (phone == nullptr || events == nullptr || states == nullptr) {
        return;
    }
    phone->SetKeepScripts((aFirst & 2) != 0);
    phone->Load(VoString(u"//fuzz/phone_messages.txt"));
    for (std::size_t i = 0; i < stepCount && i < static_cast<std::size_t>(kMaxSteps); ++i) {
        const int pick = steps[i] >> 3;
        switch (steps[i] & 7) {
            case 0:
            case 1:
                events->AddEvent(VoString(kEvents[pick % (sizeof(kEvents) / sizeof(kEvents[0]))]), true);
                break;
            case 2:
                states->SetState(VoString(kStates[pick % (sizeof(kStates) / sizeof(kStates[0]))]),
                                 VoString(u"boolean"), VoString((pick & 1) != 0 ? u"true" : u"false"), true);
                break;
            case 3:
            case 4:
                phone->TakeNextMessage();
                break;
            case 5:
                phone->UpdateMessages();
                break;
            case 6:
                phone->HasPendingExpertMessage(pick % 4 - 1);
                break;
            default:
                phone->Reset();
                break;
        }
    }
    for (int i = 0; i < kMaxTakes && phone->GetMessageCount() > 0; ++i) {
        phone->TakeNextMessage();
    }
    if (phone->GetMessageCount() > 0) {
        std::abort();
    }
}

void Computer(std::uint8_t aFirst, const std::uint8_t* apData, std::size_t aSize) {
    const std::uint8_t* layout = nullptr;
    const std::uint8_t* rest = nullptr;
    const std::uint8_t* icons = nullptr;
    const std::uint8_t* card = nullptr;
    std::size_t layoutSize = 0;
    std::size_t restSize = 0;
    std::size_t iconsSize = 0;
    std::size_t cardSize = 0;
    SplitFuzzInput(apData, aSize, &layout, &layoutSize, &rest, &restSize);
    SplitFuzzInput(rest, restSize, &icons, &iconsSize, &card, &cardSize);
    WriteFile("interface_layout.txt", layout, layoutSize);
    WriteFile("icons_results.txt", icons, iconsSize);
    WriteFile("card.txt", card, cardSize);
    MGScreenManager::GetInstance();
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    if (computer == nullptr) {
        return;
    }
    // The card is its own subtitle file: its values name its other keys.
    VoPropertyList info;
    info.Load(VoString(u"//fuzz/card.txt"), true);
    computer->ShowItem(&info, &info);
    computer->Open((aFirst >> 1) % 3, nullptr);
    for (int frame = 0; frame < kComputerFrames; ++frame) {
        if (frame == kComputerFrames / 3) {
            computer->ShowItem(&info, &info);
        }
        InterviewFrame(frame);
    }
    computer->Close();
    for (int frame = kComputerFrames; frame < kComputerFrames + 16; ++frame) {
        InterviewFrame(frame);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    if (aSize < 1 || aSize > kMaxSize) {
        return 0;
    }
    QuietFuzzLog();
    StartInterviewGame();
    if (VoIFileSystem* files = VoIFileSystem::GetInstance()) {
        files->Mount(VoString(u"//fuzz"), VoString(Folder().c_str()));
        files->Mount(VoString(u"//textures/expertcomputer"), VoString(Folder().c_str()));
    }
    if ((apData[0] & 1) == 0) {
        Phone(apData[0], apData + 1, aSize - 1);
    } else {
        Computer(apData[0], apData + 1, aSize - 1);
    }
    StopInterviewGame();
    return 0;
}
