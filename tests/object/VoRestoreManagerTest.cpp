#include "object/VoRestoreManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "event/VoEventManager.h"
#include "event/VoEventManagerCreator.h"
#include "object/VoRegistry.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "state/VoStateManagerCreator.h"
#include "stdlib/VoAPIObject.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoGameObjectManager.h"
#include "support/LogCapture.h"
#include "support/ProbeObjects.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"
#include "time/VoGameClock.h"
#include "time/VoGameClockCreator.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A restorable of the test's: saves and loads one integer, and can be made
// to fail or to move the stream back.
class ProbeRestorable : public VoAPIObject {
public:
    explicit ProbeRestorable(const char16_t* apId) { SetId(VoString(apId)); }
    bool Initialize(std::uintptr_t) override { return true; }
    bool OnLoad(VoIStream* apStream, float aVersion) override {
        ++fLoads;
        fVersion = aVersion;
        if (fRewind) {
            apStream->SetPosition(0);
            return true;
        }
        return apStream->ReadInt(&fValue) && fLoadSucceeds;
    }
    bool Save(VoIStream* apStream) override { return apStream->WriteInt(fValue) && fSaveSucceeds; }

    std::int32_t fValue = 0;
    int fLoads = 0;
    float fVersion = 0.0f;
    bool fLoadSucceeds = true;
    bool fSaveSucceeds = true;
    bool fRewind = false;
};

void AppendUInt(Bytes& aBytes, std::uint32_t aValue) {
    for (int i = 0; i < 4; ++i) {
        aBytes.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
    }
}

void AppendFloat(Bytes& aBytes, float aValue) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &aValue, 4);
    AppendUInt(aBytes, bits);
}

void AppendString(Bytes& aBytes, const std::string& aText) {
    AppendUInt(aBytes, static_cast<std::uint32_t>(aText.size()));
    for (char c : aText) {
        aBytes.push_back(static_cast<unsigned char>(c));
        aBytes.push_back(0);
    }
    aBytes.push_back(0);
    aBytes.push_back(0);
}

// A record header with handle 0 and the game-object manager's version.
Bytes Header(const std::string& aCreatorId) {
    Bytes bytes;
    AppendFloat(bytes, VoGameObjectManager::kDefaultVersion);
    AppendUInt(bytes, 0);
    AppendString(bytes, "");
    AppendString(bytes, aCreatorId);
    return bytes;
}

Bytes Concat(std::initializer_list<Bytes> aParts) {
    Bytes out;
    for (const Bytes& part : aParts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

template <typename Creator>
void EnsureCreator(const VoString& aId) {
    VoRegistry* registry = VoRegistry::Get();
    if (registry->GetCreatorIndex(aId) == VoRegistry::kNotFound) {
        registry->AddCreator(new Creator());
    }
}

class VoRestoreManagerTest : public ::testing::Test {
protected:
    VoRestoreManagerTest() {
        EnsureCreator<VoEventManagerCreator>(VoString(VoEventManager::kId));
        EnsureCreator<VoStateManagerCreator>(VoString(VoStateManager::kId));
        EnsureCreator<VoGameClockCreator>(VoString(VoGameClock::kId));
        fRestore = VoRestoreManager::GetInstance();
    }

    void RegisterManagers() { EXPECT_TRUE(fRestore->AddEngineRestorables()); }

    // Makes the probe loadable: a creator of its id that yields it, and its
    // registration here.
    void Enrol(ProbeRestorable& aProbe) {
        VoRegistry::Get()->AddCreator(new FunctionCreator(aProbe.GetId(), [&aProbe] { return &aProbe; }));
        fRestore->AddRestorable(&aProbe);
    }

    // What loading a game clears first.
    void ClearGame() {
        VoEventManager::GetInstance()->ClearEvents();
        VoStateManager::GetInstance()->ClearStates();
        VoGameClock::GetInstance()->Reset();
    }

    Bytes SaveBytes() {
        TestStream stream;
        EXPECT_TRUE(fRestore->Save(&stream));
        return stream.Bytes();
    }

    // A game with states, events and pending triggers of both kinds.
    void PlayAWhile() {
        VoStateManager* states = VoStateManager::GetInstance();
        VoGameClock* clock = VoGameClock::GetInstance();
        states->SetState(VoString(u"sta_flag"), VoString(u"boolean"), VoString(u"true"), false);
        states->SetState(VoString(u"sta_count"), VoString(u"number"), VoString(u"7.5"), false);
        states->SetState(VoString(u"sta_currentscene"), VoString(u"string"), VoString(u"Kitchen"), false);
        clock->SetCurrentClock(2);
        clock->AdvanceTime(3.0f, false);
        VoEventManager::GetInstance()->AddEvent(VoString(u"evt_kitchen_visited"), false);
        clock->AddDelayedTrigger(VoString(u"evt_phone_rings"), 5.0f, -1);
        clock->AddDelayedStateChange(VoString(u"sta_late"), true, 2.0f, 1);
    }

    ScopedEngine fEngine;
    VoRestoreManager* fRestore = nullptr;
};

}  // namespace

TEST_F(VoRestoreManagerTest, FreshSaveOfTheThreeManagersIs142Bytes) {
    RegisterManagers();
    const Bytes saved = SaveBytes();

    Bytes events = Header("eventmanager");
    AppendUInt(events, 0);
    Bytes states = Header("statemanager");
    AppendUInt(states, 0);
    Bytes clock = Header("gameclock");
    AppendUInt(clock, 0);
    AppendUInt(clock, 0);
    EXPECT_EQ(events.size(), 48u);
    EXPECT_EQ(states.size(), 48u);
    EXPECT_EQ(clock.size(), 46u);
    EXPECT_EQ(saved, Concat({events, states, clock}));
    ASSERT_EQ(saved.size(), 142u);

    TestStream stream(saved);
    EXPECT_TRUE(fRestore->Load(&stream, 142));
    EXPECT_EQ(stream.GetPosition(), 142u);
}

TEST_F(VoRestoreManagerTest, GameRoundTripsToEqualManagers) {
    RegisterManagers();
    PlayAWhile();
    const Bytes saved = SaveBytes();
    ClearGame();
    ASSERT_EQ(VoStateManager::GetInstance()->GetStateCount(), 0);

    LogCapture log;
    TestStream stream(saved);
    EXPECT_TRUE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size())));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(stream.GetPosition(), saved.size());
    EXPECT_EQ(SaveBytes(), saved);

    VoGameClock* clock = VoGameClock::GetInstance();
    EXPECT_EQ(clock->GetCurrentClock(), 2);
    EXPECT_EQ(clock->GetTriggerCount(), 2);
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_kitchen_visited")));
    const VoIState* scene = VoStateManager::GetInstance()->GetState(VoString(u"sta_currentscene"));
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(TextOf(*static_cast<const VoString*>(scene->GetValue())), u"Kitchen");
    // The restored triggers still fire.
    clock->AdvanceTime(5.0f, false);
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_phone_rings")));
}

TEST_F(VoRestoreManagerTest, TruncatedSavesFailCleanly) {
    RegisterManagers();
    PlayAWhile();
    const Bytes saved = SaveBytes();
    LogCapture log;
    for (std::size_t size = 1; size < saved.size(); ++size) {
        ClearGame();
        TestStream stream(Bytes(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_FALSE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size()))) << size;
        log.Clear();
    }
}

TEST_F(VoRestoreManagerTest, BitFlippedSavesNeverCreateOtherObjects) {
    RegisterManagers();
    PlayAWhile();
    const Bytes saved = SaveBytes();
    int created = 0;
    // Ids that a flipped bit can reach from "gameclock".
    for (const char16_t* id : {u"gameclocj", u"gameclockb", u"wameclock", u"gameclocc"}) {
        VoRegistry::Get()->AddCreator(new FunctionCreator(VoString(id), [&created]() -> VoBase* {
            ++created;
            return nullptr;
        }));
    }
    LogCapture log;
    int failures = 0;
    for (std::size_t byte = 0; byte < saved.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes flipped = saved;
            flipped[byte] ^= static_cast<unsigned char>(1u << bit);
            ClearGame();
            TestStream stream(flipped);
            if (!fRestore->Load(&stream, static_cast<std::int32_t>(flipped.size()))) {
                ++failures;
            }
            log.Clear();
        }
    }
    EXPECT_EQ(created, 0);
    EXPECT_GT(failures, 0);
}

TEST_F(VoRestoreManagerTest, ForeignIdsEndTheLoadBeforeAnythingIsCreated) {
    RegisterManagers();
    int created = 0;
    VoRegistry::Get()->AddCreator(new FunctionCreator(VoString(u"debugconsole"), [&created]() -> VoBase* {
        ++created;
        return new ProbeObject();
    }));
    for (const char* id : {"debugconsole", "platform", "rasterizer", ""}) {
        Bytes events = Header("eventmanager");
        AppendUInt(events, 0);
        Bytes foreign = Header(id);
        AppendUInt(foreign, 0);
        const Bytes save = Concat({events, foreign});
        LogCapture log;
        TestStream stream(save);
        EXPECT_FALSE(fRestore->Load(&stream, static_cast<std::int32_t>(save.size()))) << id;
        EXPECT_TRUE(log.Contains(std::string(VoRestoreManager::kNotRestorable) + id)) << id;
    }
    EXPECT_EQ(created, 0);
}

TEST_F(VoRestoreManagerTest, EmptyListSavesNothingAndEmptyRangeLoadsNothing) {
    TestStream stream;
    EXPECT_TRUE(fRestore->Save(&stream));
    EXPECT_TRUE(stream.Bytes().empty());
    TestStream data(Bytes{1, 2, 3, 4});
    data.SetPosition(2);
    EXPECT_TRUE(fRestore->Load(&data, 2));
    EXPECT_EQ(data.GetPosition(), 2u);
}

TEST_F(VoRestoreManagerTest, RecordsLoadInOrderUntilTheEndOffset) {
    ProbeRestorable first(u"first");
    ProbeRestorable second(u"second");
    Enrol(first);
    Enrol(second);
    first.fValue = 11;
    second.fValue = 22;
    Bytes saved = SaveBytes();
    EXPECT_EQ(saved, Concat({Header("first"), Bytes{11, 0, 0, 0}, Header("second"), Bytes{22, 0, 0, 0}}));

    // Data of the caller's own after the records is not read.
    saved.insert(saved.end(), {0xEE, 0xEE});
    first.fValue = second.fValue = 0;
    TestStream stream(saved);
    EXPECT_TRUE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size() - 2)));
    EXPECT_EQ(first.fValue, 11);
    EXPECT_EQ(second.fValue, 22);
    EXPECT_EQ(first.fVersion, VoGameObjectManager::kDefaultVersion);
    EXPECT_EQ(stream.GetPosition(), saved.size() - 2);
}

TEST_F(VoRestoreManagerTest, FailedStepsAreReportedButEveryRecordIsAttempted) {
    ProbeRestorable first(u"first");
    ProbeRestorable second(u"second");
    Enrol(first);
    Enrol(second);
    first.fSaveSucceeds = false;
    LogCapture log;
    TestStream stream;
    EXPECT_FALSE(fRestore->Save(&stream));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kSaveFailure));
    EXPECT_EQ(stream.Bytes().size(), Header("first").size() + 4 + Header("second").size() + 4);

    first.fLoadSucceeds = false;
    second.fValue = 0;
    TestStream back(stream.Bytes());
    EXPECT_FALSE(fRestore->Load(&back, static_cast<std::int32_t>(stream.Bytes().size())));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kLoadFailure));
    EXPECT_EQ(second.fLoads, 1);

    // A stream that refuses to be written.
    first.fSaveSucceeds = true;
    TestStream refusing;
    for (int call = 0; call < 16; ++call) {
        refusing.FailWrite(call);
    }
    EXPECT_FALSE(fRestore->Save(&refusing));
}

TEST_F(VoRestoreManagerTest, RecordThatDoesNotAdvanceEndsTheLoad) {
    ProbeRestorable probe(u"probe");
    Enrol(probe);
    const Bytes saved = SaveBytes();
    probe.fRewind = true;
    LogCapture log;
    TestStream stream(saved);
    EXPECT_FALSE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size())));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kNoProgress));
    EXPECT_EQ(probe.fLoads, 1);
}

TEST_F(VoRestoreManagerTest, RecordsLoadOnlyIntoTheRegisteredObject) {
    ProbeRestorable registered(u"probe");
    ProbeRestorable other(u"probe");
    VoRegistry::Get()->AddCreator(new FunctionCreator(VoString(u"probe"), [&other] { return &other; }));
    fRestore->AddRestorable(&registered);
    const Bytes saved = SaveBytes();
    LogCapture log;
    TestStream stream(saved);
    EXPECT_FALSE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size())));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kNotRegisteredObject));
    EXPECT_EQ(registered.fLoads + other.fLoads, 0);
}

TEST_F(VoRestoreManagerTest, HandlesAreKeptOnlyForObjectsTheManagerHolds) {
    ProbeRestorable* held = new ProbeRestorable(u"held");
    VoGameObjectManager* gameObjects = VoGameObjectManager::GetInstance();
    const std::uint32_t handle = gameObjects->Add(VoString(u"held_object"), held);
    ASSERT_NE(handle, 0u);
    VoRegistry::Get()->AddCreator(new FunctionCreator(VoString(u"held"), [held] { return held; }));
    fRestore->AddRestorable(held);
    const Bytes saved = SaveBytes();
    Bytes expected;
    AppendFloat(expected, VoGameObjectManager::kDefaultVersion);
    AppendUInt(expected, handle);
    AppendString(expected, "held_object");
    AppendString(expected, "held");
    AppendUInt(expected, 0);
    EXPECT_EQ(saved, expected);

    TestStream stream(saved);
    EXPECT_TRUE(fRestore->Load(&stream, static_cast<std::int32_t>(saved.size())));
    EXPECT_EQ(held->fLoads, 1);

    // The same record naming an object that the manager does not hold.
    ProbeRestorable loose(u"loose");
    Enrol(loose);
    Bytes foreign;
    AppendFloat(foreign, 1.0f);
    AppendUInt(foreign, handle);
    AppendString(foreign, "held_object");
    AppendString(foreign, "loose");
    AppendUInt(foreign, 0);
    LogCapture log;
    TestStream looseStream(foreign);
    EXPECT_FALSE(fRestore->Load(&looseStream, static_cast<std::int32_t>(foreign.size())));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kHandleRefused));
    EXPECT_EQ(loose.fLoads, 0);
    EXPECT_EQ(gameObjects->GetHandleOfObject(&loose), 0u);
}

TEST_F(VoRestoreManagerTest, RegistrationRules) {
    LogCapture log;
    ProbeRestorable probe(u"probe");
    EXPECT_TRUE(fRestore->AddRestorable(&probe));
    EXPECT_FALSE(fRestore->AddRestorable(&probe));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kAlreadyAdded));
    EXPECT_EQ(fRestore->GetRestorableCount(), 1);

    ProbeRestorable nameless(u"");
    EXPECT_FALSE(fRestore->AddRestorable(&nameless));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kIdUndefined));
    EXPECT_FALSE(fRestore->AddRestorable(nullptr));

    EXPECT_TRUE(fRestore->RemoveRestorable(&probe));
    EXPECT_FALSE(fRestore->RemoveRestorable(&probe));
    EXPECT_TRUE(log.Contains(VoRestoreManager::kNotFound));
    EXPECT_EQ(fRestore->GetRestorableCount(), 0);
}

TEST_F(VoRestoreManagerTest, RestorablesLeaveTheListAsTheyGo) {
    {
        ProbeRestorable probe(u"probe");
        fRestore->AddRestorable(&probe);
        EXPECT_EQ(fRestore->GetRestorableCount(), 1);
    }
    EXPECT_EQ(fRestore->GetRestorableCount(), 0);
    LogCapture log;
    { ProbeRestorable never(u"never"); }
    EXPECT_TRUE(log.Contains(VoRestoreManager::kNotFound));
}

TEST_F(VoRestoreManagerTest, GoneWithTheCleaner) {
    RegisterManagers();
    const VoString address = VoString().Append(static_cast<const void*>(fRestore));
    EXPECT_EQ(TextOf(fRestore->ToString()), u"[VoRestoreManager <" + TextOf(address) + u">]");
    fEngine.ShutDown();
    EXPECT_EQ(VoRestoreManager::GetInstance(), nullptr);
}

TEST_F(VoRestoreManagerTest, ASaveCutAtARecordsEndLoadsButNotWhole) {
    ProbeRestorable first(u"first");
    ProbeRestorable second(u"second");
    Enrol(first);
    Enrol(second);
    const Bytes saved = SaveBytes();
    const Bytes firstOnly(saved.begin(),
                          saved.begin() + static_cast<std::ptrdiff_t>(Header("first").size() + 4));
    struct Case {
        const char* what;
        Bytes bytes;
        bool loads;
        bool whole;
    };
    const Case cases[] = {
        {"both records", saved, true, true},
        {"the first record alone", firstOnly, true, false},
        {"the first record twice", Concat({firstOnly, firstOnly}), true, false},
        {"nothing", Bytes{}, true, false},
    };
    for (const Case& c : cases) {
        TestStream stream(c.bytes);
        EXPECT_EQ(fRestore->Load(&stream, static_cast<std::int32_t>(c.bytes.size())), c.loads) << c.what;
        EXPECT_EQ(fRestore->LoadedAll(), c.whole) << c.what;
    }
    TestStream none;
    EXPECT_FALSE(fRestore->Load(nullptr, 0));
    EXPECT_FALSE(fRestore->LoadedAll());
}
