#pragma once
// What the state, event and clock tests share (each test starts a
// ScopedEngine, so the managers, the clock and the timer start empty):
// listeners that write what they are told into a journal, and byte helpers
// for the save records.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "container/VoString.h"
#include "event/VoEvent.h"
#include "event/VoIEventListener.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"
#include "support/TestText.h"

using Bytes = std::vector<unsigned char>;
using Journal = std::vector<std::string>;

// Writes "<name>:<state id>" for every state it is told of, then runs its action.
class StateProbe : public VoIStateListener {
public:
    StateProbe(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnStateChanged(VoIState* apState) override {
        fpJournal->push_back(fName + ":" + Narrow(apState->GetName()));
        if (fAction) {
            fAction(apState);
        }
    }
    std::string fName;
    Journal* fpJournal;  // not owned
    std::function<void(VoIState*)> fAction;
};

// Writes "<name>:<event id>" for every event it is told of, then runs its action.
class EventProbe : public VoIEventListener {
public:
    EventProbe(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnEvent(VoEvent* apEvent) override {
        fpJournal->push_back(fName + ":" + Narrow(apEvent->GetId()));
        if (fAction) {
            fAction(apEvent);
        }
    }
    std::string fName;
    Journal* fpJournal;  // not owned
    std::function<void(VoEvent*)> fAction;
};

// The bytes that aWrite(VoIStream*) writes; its result must be true.
template <typename Write>
Bytes Written(Write aWrite) {
    TestStream stream;
    EXPECT_TRUE(aWrite(&stream));
    return stream.Bytes();
}

// The record's bytes without the last aCut.
inline Bytes Truncated(const Bytes& aBytes, std::size_t aCut) {
    return Bytes(aBytes.begin(), aBytes.end() - static_cast<std::ptrdiff_t>(aCut));
}

// Concatenation, for records built from pieces.
inline Bytes operator+(Bytes aFirst, const Bytes& aSecond) {
    aFirst.insert(aFirst.end(), aSecond.begin(), aSecond.end());
    return aFirst;
}

// The checks every manager creator passes: it carries the manager's id, hands
// out the live singleton (also through the API-object manager, which
// initialises it), leaves the manager alone when it is deleted, and gives
// null once the engine cleaner has deleted the manager.
template <typename Creator, typename Manager>
void ExpectHandsOutTheSingleton(const char* apId, const char* apClassName) {
    ScopedEngine engine;
    Creator* creator = new Creator();
    EXPECT_EQ(Narrow(creator->GetId()), apId);
    EXPECT_EQ(Narrow(creator->ToString()),
              std::string("[") + apClassName + " <" + HexAddress(creator) + ">]");
    Manager* manager = Manager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(creator->Create(), manager);
    EXPECT_EQ(creator->Create(), manager);
    delete creator;
    EXPECT_EQ(Manager::GetInstance(), manager);

    // Start-up has registered one under the id.
    VoAPIObjectManager* objects = VoAPIObjectManager::GetInstance();
    ASSERT_NE(objects, nullptr);
    EXPECT_EQ(objects->CreateObject(VoString(apId), 0), manager);
    EXPECT_EQ(objects->CreateObject(VoString(apId), 7), manager);

    Creator late;
    delete VoCleaner::PeekInstance();
    EXPECT_EQ(late.Create(), nullptr);
}
