#pragma once
// The expert tests' game: an InterviewGame (the sample tree, stub sounds, the
// test's timer, "//interviews" on a scratch folder) that makes expert
// interviews from texts, and a random source the test sets.
//
//     ExpertGame game;
//     std::unique_ptr<MGExpertInterview> expert = game.MakeExpert("1CL01.txt", ExpertData({Topic("key")}));
//     game.SetDraws({0, 3});         // the next draws of the random source
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "InterviewGame.h"
#include "interview/MGExpertInterview.h"
#include "util/MGRandom.h"

// A sequence node that speaks the line of that name.
inline std::string Say(const std::string& aLine, const std::string& aIndent) {
    return aIndent + "sounds=" + aLine + "\n" + aIndent + "soundtimes=0\n";
}

// A topic of an expert file: listed once "<key>_cl_s" happened, ready once
// "<key>_cl_r" happened, viewed once "evt_<key>_viewed" happened, its answer
// the line "<key>_answer" and an evidence card; aExtra goes into the node
// (and replaces nothing: leave a key out with aPlain).
inline std::string Topic(const std::string& aKey, const std::string& aExtra = "", bool aPlain = false) {
    std::string text = "\t" + aKey + "\n\t\tname=name_" + aKey + "\n\t\tlevel=1\n";
    if (!aPlain) {
        text += "\t\tsubmittedevent=script[e[" + aKey + "_cl_s]]\n\t\treadyevent=script[e[" + aKey + "_cl_r]]\n";
    }
    text += "\t\tviewedevent=evt_" + aKey + "_viewed\n" + aExtra;
    text += "\t\tinfo\n\t\t\ttype=evidence\n\t\t\tname=card_" + aKey + "\n\t\t\tcollected=place\n";
    return text + "\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n" + Say(aKey + "_answer", "\t\t\t\t");
}

// An expert file of the topics with one line each of "intros", "pending",
// "noinfos" and "exit" (set aOpenings to write those nodes differently).
inline std::string ExpertData(const std::vector<std::string>& aTopics, const std::string& aOpenings = "") {
    std::string text = "type=expert\nfonts\n\tmain=TW_CEN_MT16\ntopics\n";
    for (const std::string& topic : aTopics) {
        text += topic;
    }
    if (!aOpenings.empty()) {
        return text + aOpenings;
    }
    return text + "intros\n\tone\n" + Say("hello", "\t\t") + "pending\n\tone\n" + Say("wait", "\t\t") +
           "noinfos\n\tone\n" + Say("nothing", "\t\t") + "exit\n" + Say("bye", "\t");
}

constexpr const char* kExpertSubtitles = "name_key=The key\nname_photo=The photo\ncard_key=Brass key\nplace=Lobby\n";

// Each draw of the random source gives the next of the values set (0 when
// none is left).
inline std::vector<int>& ExpertDraws() {
    static std::vector<int> sDraws;
    return sDraws;
}
inline int NextExpertDraw() {
    if (ExpertDraws().empty()) {
        return 0;
    }
    const int value = ExpertDraws().front();
    ExpertDraws().erase(ExpertDraws().begin());
    return value;
}

class ExpertGame : public InterviewGame {
public:
    ExpertGame() {
        ExpertDraws().clear();
        MGSetRandomSource(&NextExpertDraw);
    }
    ~ExpertGame() { MGSetRandomSource(nullptr); }

    void SetDraws(const std::vector<int>& aDraws) { ExpertDraws() = aDraws; }

    // A new expert made from the texts (the subtitle file is written as
    // aDataFile less ".txt" + "_subtitles.txt"), not started.
    std::unique_ptr<MGExpertInterview> MakeExpert(const std::string& aDataFile, const std::string& aData,
                                                  const std::string& aSubtitles = kExpertSubtitles) const {
        const std::string subtitles = aDataFile.substr(0, aDataFile.size() - 4) + "_subtitles.txt";
        Write(subtitles, aSubtitles);
        std::unique_ptr<MGExpertInterview> expert(new MGExpertInterview());
        expert->Create(VoString(aDataFile.c_str()), Parse(aData), VoString(subtitles.c_str()));
        return expert;
    }

    // The name of the first voice line playing ("" for none).
    static std::string Speaking() {
        const std::vector<std::string> playing = Playing();
        return playing.empty() ? "" : playing.front().substr(9, playing.front().size() - 13);
    }
    // A frame, then the voice line that plays ends: its name, "" for none.
    std::string EndLine() {
        At(Now() + 0.05);
        const std::string line = Speaking();
        if (!line.empty()) {
            EndSound(line);
            At(Now() + 0.05);
        }
        return line;
    }
};
