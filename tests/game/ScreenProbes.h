#pragma once
// Screens that write every call into a journal ("intro:enter",
// "intro:begin", "intro:end"), for the screen stack's tests.
#include <string>
#include <vector>

#include "MGIScreen.h"

using ScreenJournal = std::vector<std::string>;

class RecordingScreen : public MGIScreen {
public:
    RecordingScreen(const char* apName, ScreenJournal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnLeaveBegin() override { fpJournal->push_back(fName + ":begin"); }
    void OnLeaveEnd() override { fpJournal->push_back(fName + ":end"); }
    void OnEnter() override { fpJournal->push_back(fName + ":enter"); }

private:
    std::string fName;
    ScreenJournal* fpJournal;  // not owned
};
