// Reads arbitrary bytes as an interview topic: after a two-byte
// little-endian length, that many bytes are the pocket-object table and the
// rest is the topic node (both property lists). Each of the five modes is
// played, for a started interview of that node, with voice lines that end a
// frame after they start (every third one cannot be opened), until the topic
// has heard the end of its answer, or the answer has left for a bargain. An
// answer that never ends stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "container/VoPropertyList.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewSequence.h"
#include "interview/MGInterviewTopic.h"
#include "memory/VoNew.h"
#include "support/InterviewFuzz.h"

namespace {

constexpr std::size_t kMaxSize = 0x8000;
// Far more frames than any answer of kMaxSize bytes can take.
constexpr int kMaxFrames = 40000;

bool Playing(MGInterviewTopic* apTopic) {
    const MGInterviewSequence* sequence = apTopic->GetSequence();
    return sequence != nullptr && !sequence->IsFinished();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    if (aSize > kMaxSize) {
        return 0;
    }
    const std::uint8_t* pocketBytes = nullptr;
    const std::uint8_t* topicBytes = nullptr;
    std::size_t pocketSize = 0;
    std::size_t topicSize = 0;
    SplitFuzzInput(apData, aSize, &pocketBytes, &pocketSize, &topicBytes, &topicSize);
    VoPropertyList* pockets = VO_NEW VoPropertyList();
    VoPropertyList node;
    if (pockets == nullptr || !ParseFuzzPropertyList(pocketBytes, pocketSize, kMaxSize, pockets) ||
        !ParseFuzzPropertyList(topicBytes, topicSize, kMaxSize, &node)) {
        delete pockets;
        return 0;
    }
    StartInterviewGame();
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    if (manager != nullptr) {
        manager->SetPocketObjects(pockets);
    } else {
        delete pockets;
    }
    // The node as the interview's one topic, so that its answers move the
    // interview's meter.
    VoPropertyList* data = VO_NEW VoPropertyList();
    VoPropertyList* topics = VO_NEW VoPropertyList();
    VoPropertyList* topicCopy = VO_NEW VoPropertyList(node);
    if (data != nullptr && topics != nullptr && data->SetList(VoString(u"topics"), topics)) {
        topics = nullptr;
        if (topicCopy != nullptr && data->SetList(VoString(u"topics.t"), topicCopy)) {
            topicCopy = nullptr;
        }
    }
    delete topics;
    delete topicCopy;
    MGInterview* interview = VO_NEW MGInterview();
    if (interview != nullptr) {
        interview->Create(VoString(u"fuzz.txt"), data, VoString(u"none.txt"));
        interview->Start();
    } else {
        delete data;
    }
    {
        MGInterviewTopic topic;
        topic.Create(VoString(u"fuzz_t"), &node);
        int frame = 0;
        for (int mode = 0; mode <= MGInterviewTopic::kModeCount; ++mode) {
            topic.SelectMode(mode, interview, 0);
            for (int i = 0; i < kMaxFrames && Playing(&topic); ++i) {
                InterviewFrame(frame++);
            }
            if (Playing(&topic)) {
                std::abort();
            }
        }
    }
    delete interview;
    StopInterviewGame();
    return 0;
}
