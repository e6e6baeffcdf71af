#include "object/VoObjectManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "object/VoHandle.h"
#include "object/VoRegistry.h"
#include "object/VoServiceCreator.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoGameObjectManager.h"
#include "support/LogCapture.h"
#include "support/ProbeObjects.h"
#include "support/ScopedEngine.h"

namespace {

constexpr std::uint32_t kIndex = 0xAA;
constexpr std::uint32_t kForeign = 0xBB000001;

std::string Text(const char* apMessage, const std::string& aValue = "") {
    return apMessage + aValue;
}

// A manager of its own (not registered) with one object filed under "probe".
class Filed : public ::testing::Test {
protected:
    void SetUp() override {
        fpObject = new ProbeObject(&fDeleted);
        fHandle = fManager.Add(u"probe", fpObject);
        ASSERT_NE(fHandle, 0u);
    }

    bool fDeleted = false;  // before fManager, which may still delete the probe when it ends
    VoObjectManager fManager{u"testmanager", kIndex};
    ProbeObject* fpObject = nullptr;  // owned by fManager
    std::uint32_t fHandle = 0;
};

}  // namespace

// The serial counter is process-wide and never reset: only a fresh process
// shows where it starts, so this runs in one of its own.
TEST(VoObjectManager, TheFirstHandleOfAProcessHasSerialOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ScopedEngine engine;
            const std::uint32_t first = VoAPIObjectManager::GetInstance()->Add(u"a", new ProbeObject());
            const std::uint32_t second = VoGameObjectManager::GetInstance()->Add(u"a", new ProbeObject());
            const std::uint32_t third = VoAPIObjectManager::GetInstance()->Add(u"b", new ProbeObject());
            std::exit(first == 0xAA000001 && second == 0xBB000002 && third == 0xAA000003 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(VoObjectManager, AllManagersDrawFromOneCounter) {
    VoObjectManager first(u"first", 0x10);
    VoObjectManager second(u"second", 0x20);
    const std::uint32_t a = first.Add(u"x", nullptr);
    const std::uint32_t b = second.Add(u"x", nullptr);
    const std::uint32_t c = first.Add(u"y", nullptr);
    EXPECT_EQ(VoHandle::IndexOf(a), 0x10u);
    EXPECT_EQ(VoHandle::IndexOf(b), 0x20u);
    EXPECT_EQ(VoHandle::SerialOf(b), VoHandle::SerialOf(a) + 1);
    EXPECT_EQ(VoHandle::SerialOf(c), VoHandle::SerialOf(a) + 2);
    EXPECT_EQ(VoObjectManager::PeekSerialCounter(), VoHandle::SerialOf(c) + 1);
    // Emptying a manager does not give serials back.
    first.DestroyAll();
    EXPECT_EQ(VoHandle::SerialOf(first.Add(u"x", nullptr)), VoHandle::SerialOf(c) + 1);
}

TEST(VoObjectManager, RestoredHandlesDoNotMoveTheCounterAndAreSkipped) {
    VoObjectManager manager(u"m", kIndex);
    const std::uint32_t serial = VoObjectManager::PeekSerialCounter();
    ASSERT_TRUE(manager.RestoreHandle(VoHandle::Make(kIndex, serial), u"saved", new ProbeObject()));
    EXPECT_EQ(VoObjectManager::PeekSerialCounter(), serial);
    EXPECT_EQ(manager.Add(u"new", nullptr), VoHandle::Make(kIndex, serial + 1));
    EXPECT_EQ(VoObjectManager::PeekSerialCounter(), serial + 2);
    EXPECT_NE(manager.GetObject(VoHandle::Make(kIndex, serial)), nullptr);
    EXPECT_FALSE(manager.IsHandleLocked(VoHandle::Make(kIndex, serial)));
}

TEST(VoObjectManager, ARestoredHandleTakesThisManagersIndex) {
    VoObjectManager manager(u"m", kIndex);
    ASSERT_TRUE(manager.RestoreHandle(0x78000005, u"saved", nullptr));
    EXPECT_EQ(manager.GetHandle(u"saved"), 0xAA000005u);
    LogCapture log;
    // The same serial saved by another manager would land on the same handle.
    EXPECT_FALSE(manager.RestoreHandle(0xBB000005, u"other", nullptr));
    EXPECT_TRUE(log.Contains(VoObjectManager::kSavedHandleInUse));
}

TEST_F(Filed, RestoringATakenHandleOrIdFails) {
    LogCapture log;
    EXPECT_FALSE(fManager.RestoreHandle(fHandle, u"other", nullptr));
    EXPECT_TRUE(log.Contains(Text("ERROR: engine/object/VoObjectManager.cpp, ")));
    EXPECT_TRUE(log.Contains(VoObjectManager::kSavedHandleInUse));
    EXPECT_FALSE(fManager.RestoreHandle(fHandle + 100, u"probe", nullptr));
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kSavedIdInUse, "probe")));
    EXPECT_FALSE(fManager.RestoreHandle(0xAA000000, u"zero", nullptr));
    EXPECT_TRUE(log.Contains(VoObjectManager::kHandleInitFailure));
    EXPECT_EQ(fManager.GetCount(), 1);
}

TEST_F(Filed, LocksCountHoldersAndTheLastUnlockDestroys) {
    EXPECT_TRUE(fManager.LockHandle(fHandle));
    EXPECT_TRUE(fManager.LockHandle(fHandle));
    EXPECT_TRUE(fManager.IsHandleLocked(fHandle));
    EXPECT_TRUE(fManager.UnlockHandle(fHandle));
    EXPECT_FALSE(fDeleted);
    EXPECT_EQ(fManager.GetObject(fHandle), fpObject);
    EXPECT_TRUE(fManager.UnlockHandle(fHandle));
    EXPECT_TRUE(fDeleted);
    EXPECT_EQ(fManager.GetCount(), 0);
    EXPECT_EQ(fManager.GetHandle(u"probe"), 0u);
    EXPECT_NE(fManager.Add(u"probe", nullptr), 0u);
}

TEST_F(Filed, UnlockingAHandleNeverLockedDestroysAtOnce) {
    EXPECT_TRUE(fManager.UnlockHandle(fHandle));
    EXPECT_TRUE(fDeleted);
    LogCapture log;
    EXPECT_FALSE(fManager.UnlockHandle(0));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(fManager.UnlockHandle(fHandle));
    EXPECT_FALSE(fManager.LockHandle(fHandle));
    EXPECT_EQ(log.Count(Text(VoObjectManager::kInvalidHandleValue)), 2);
}

TEST_F(Filed, EveryHandleOperationRefusesAForeignHandle) {
    LogCapture log;
    VoBase* out = nullptr;
    VoString id(u"kept");
    EXPECT_EQ(fManager.GetObject(kForeign), nullptr);
    EXPECT_FALSE(fManager.GetIdOfHandle(kForeign, id));
    EXPECT_FALSE(fManager.IsHandleLocked(kForeign));
    EXPECT_FALSE(fManager.LockHandle(kForeign));
    EXPECT_FALSE(fManager.UnlockHandle(kForeign));
    EXPECT_FALSE(fManager.DestroyObject(kForeign));
    EXPECT_FALSE(fManager.TryDestroy(kForeign));
    EXPECT_FALSE(fManager.RemoveHandle(kForeign));
    EXPECT_FALSE(fManager.RemoveObject(kForeign, &out));
    EXPECT_FALSE(fManager.SetObject(kForeign, nullptr, &out));
    EXPECT_FALSE(fManager.ReplaceHandle(fHandle, kForeign));
    const int operations = 11;
    EXPECT_EQ(log.Count(VoObjectManager::kInvalidHandleBang), operations);
    EXPECT_EQ(log.Count("ASSERT FAILURE: engine/object/VoObjectManager.cpp"), operations);
    EXPECT_EQ(static_cast<int>(log.Lines().size()), 2 * operations);
    EXPECT_EQ(id.GetLength(), 0);
    EXPECT_FALSE(fDeleted);
    EXPECT_EQ(fManager.GetObject(fHandle), fpObject);
}

TEST_F(Filed, MissingHandlesPrintSigned) {
    LogCapture log;
    EXPECT_EQ(fManager.GetObject(0xAA000005), nullptr);
    // 0xAA000005 as a signed 32-bit number.
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kInvalidHandleValue, "-1442840571")));
    log.Clear();
    EXPECT_FALSE(fManager.IsHandleLocked(0xAA000005));
    EXPECT_FALSE(fManager.DestroyObject(0xAA000005));
    EXPECT_EQ(log.Count(VoObjectManager::kInvalidHandle), 2);
}

TEST_F(Filed, DestroyObjectKeepsHandleAndIdTaken) {
    ASSERT_TRUE(fManager.LockHandle(fHandle));
    LogCapture log;
    EXPECT_FALSE(fManager.DestroyObject(fHandle));
    EXPECT_TRUE(log.Contains(Text("WARNING: engine/object/VoObjectManager.cpp")));
    EXPECT_TRUE(log.Contains(VoObjectManager::kDestroyLocked));
    EXPECT_FALSE(fDeleted);

    ASSERT_TRUE(fManager.UnlockHandle(fHandle));  // destroys
    fHandle = fManager.Add(u"probe", new ProbeObject(&fDeleted));
    fDeleted = false;
    EXPECT_TRUE(fManager.DestroyObject(u"probe"));
    EXPECT_TRUE(fDeleted);
    log.Clear();
    EXPECT_EQ(fManager.GetObject(fHandle), nullptr);
    EXPECT_TRUE(
        log.Contains(Text(VoObjectManager::kNoObject, std::to_string(static_cast<std::int32_t>(fHandle)))));
    EXPECT_EQ(fManager.Add(u"probe", nullptr), 0u);
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kIdInUse, "probe")));

    log.Clear();
    EXPECT_FALSE(fManager.DestroyObject(u"absent"));
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(Filed, RemoveHandleWantsTheObjectGoneFirst) {
    LogCapture log;
    EXPECT_FALSE(fManager.RemoveHandle(fHandle));
    EXPECT_TRUE(log.Contains(VoObjectManager::kRemoveValid));
    EXPECT_EQ(fManager.GetObject(fHandle), fpObject);

    VoBase* out = fpObject;
    EXPECT_FALSE(fManager.RemoveObject(u"probe", &out));
    EXPECT_TRUE(log.Contains(VoObjectManager::kInvalidArgument));
    out = nullptr;
    EXPECT_TRUE(fManager.RemoveObject(u"probe", &out));
    EXPECT_EQ(out, fpObject);
    EXPECT_FALSE(fDeleted);
    EXPECT_EQ(fManager.GetHandle(u"probe"), fHandle);
    EXPECT_TRUE(fManager.RemoveHandle(u"probe"));
    EXPECT_EQ(fManager.GetCount(), 0);
    delete out;

    const std::uint32_t locked = fManager.Add(u"locked", new ProbeObject());
    ASSERT_TRUE(fManager.LockHandle(locked));
    out = nullptr;
    EXPECT_FALSE(fManager.RemoveObject(locked, &out));
    EXPECT_TRUE(log.Contains(VoObjectManager::kRemoveLocked));
    EXPECT_EQ(out, nullptr);
}

TEST_F(Filed, SetObjectHandsBackTheOldOrDeletesItWhenNobodyTakesIt) {
    bool secondDeleted = false;
    ProbeObject* second = new ProbeObject(&secondDeleted);
    VoBase* old = nullptr;
    EXPECT_TRUE(fManager.SetObject(u"probe", second, &old));
    EXPECT_EQ(old, fpObject);
    EXPECT_FALSE(fDeleted);
    delete old;

    EXPECT_TRUE(fManager.SetObject(fHandle, new ProbeObject(), nullptr));
    EXPECT_TRUE(secondDeleted);
    // Setting the object it already holds keeps it.
    VoBase* current = fManager.GetObject(fHandle);
    EXPECT_TRUE(fManager.SetObject(fHandle, current, nullptr));
    EXPECT_EQ(fManager.GetObject(fHandle), current);

    LogCapture log;
    EXPECT_FALSE(fManager.SetObject(u"absent", nullptr, nullptr));
    EXPECT_TRUE(log.Contains(Text("WARNING: engine/object/VoObjectManager.cpp")));
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kInvalidId, "absent")));
}

TEST_F(Filed, TryDestroyFreesEverythingUnlessLocked) {
    ASSERT_TRUE(fManager.LockHandle(fHandle));
    LogCapture log;
    EXPECT_FALSE(fManager.TryDestroy(fHandle));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(fDeleted);
    EXPECT_FALSE(fManager.ReplaceHandle(u"probe", fHandle + 1));
    EXPECT_TRUE(log.Contains(VoObjectManager::kReplaceLocked));

    const std::uint32_t unlocked = fManager.Add(u"unlocked", new ProbeObject(&fDeleted));
    EXPECT_TRUE(fManager.TryDestroy(unlocked));
    EXPECT_TRUE(fDeleted);
    EXPECT_EQ(fManager.GetCount(), 1);
    EXPECT_EQ(fManager.GetHandle(u"unlocked"), 0u);
}

TEST_F(Filed, ReplaceHandleMovesTheRecord) {
    const std::uint32_t moved = VoHandle::Make(kIndex, 0xFFFFF0);
    EXPECT_TRUE(fManager.ReplaceHandle(fHandle, moved));
    EXPECT_EQ(fManager.GetHandle(u"probe"), moved);
    EXPECT_EQ(fManager.GetObject(moved), fpObject);
    VoString id;
    EXPECT_TRUE(fManager.GetIdOfHandle(moved, id));
    EXPECT_TRUE(id.Equals(u"probe"));

    LogCapture log;
    EXPECT_EQ(fManager.GetObject(fHandle), nullptr);
    const std::uint32_t other = fManager.Add(u"other", nullptr);
    EXPECT_FALSE(fManager.ReplaceHandle(u"probe", other));
    EXPECT_TRUE(log.Contains(Text("ASSERT FAILURE: engine/object/VoObjectManager.cpp")));
    EXPECT_TRUE(log.Contains(VoObjectManager::kAddFailure));
    EXPECT_FALSE(fManager.ReplaceHandle(u"absent", moved + 1));
    EXPECT_TRUE(log.Contains(VoObjectManager::kIdNotFound));
    EXPECT_EQ(fManager.GetHandle(u"probe"), moved);
}

TEST_F(Filed, LookupsById) {
    LogCapture log;
    EXPECT_EQ(fManager.GetObject(u"probe"), fpObject);
    EXPECT_EQ(fManager.GetHandleOfObject(fpObject), fHandle);
    EXPECT_EQ(fManager.GetHandleOfObject(nullptr), 0u);
    EXPECT_TRUE(log.Lines().empty());

    EXPECT_EQ(fManager.GetObject(u"absent"), nullptr);
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kInvalidId, "absent")));
    log.Clear();
    EXPECT_EQ(fManager.GetObject(VoString(u"")), nullptr);
    EXPECT_FALSE(fManager.RemoveHandle(VoString(u"")));
    EXPECT_EQ(log.Count(VoObjectManager::kEmptyId), 2);
    EXPECT_EQ(log.Count("ASSERT FAILURE: "), 2);
}

TEST(VoObjectManager, AnEmptyIdIsAnOrdinaryKeyForAdd) {
    VoObjectManager manager(u"m", kIndex);
    const std::uint32_t handle = manager.Add(VoString(u""), nullptr);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(manager.GetHandle(VoString(u"")), handle);
    EXPECT_EQ(manager.Add(VoString(u""), nullptr), 0u);
}

TEST(VoObjectManager, DestroyAllDeletesLockedObjectsToo) {
    bool first = false;
    bool second = false;
    {
        VoObjectManager manager(u"m", kIndex);
        const std::uint32_t handle = manager.Add(u"a", new ProbeObject(&first));
        manager.Add(u"b", new ProbeObject(&second));
        ASSERT_TRUE(manager.LockHandle(handle));
        manager.DestroyAll();
        EXPECT_TRUE(first);
        EXPECT_TRUE(second);
        EXPECT_EQ(manager.GetCount(), 0);
        EXPECT_EQ(manager.GetHandle(u"a"), 0u);
        second = false;
        manager.Add(u"b", new ProbeObject(&second));
    }
    EXPECT_TRUE(second);
}

class CreateObject : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(fpRegistry, nullptr); }

    ScopedEngine fEngine;
    VoRegistry* fpRegistry = VoRegistry::Get();
    VoObjectManager fManager{u"m", kIndex};
};

TEST_F(CreateObject, MakesAndInitializesWithoutFilingTheObject) {
    ASSERT_TRUE(fpRegistry->AddCreator(new FunctionCreator(u"probe", [] { return new ProbeObject(); })));
    VoBase* object = fManager.CreateObject(u"probe", 42);
    ProbeObject* probe = dynamic_cast<ProbeObject*>(object);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->fInitializeCount, 1);
    EXPECT_EQ(probe->fLastArgument, 42u);
    EXPECT_EQ(fManager.GetCount(), 0);
    EXPECT_EQ(fManager.GetHandleOfObject(object), 0u);
    delete object;
}

TEST_F(CreateObject, ASingletonCreatorHandsOutTheSameObjectEachTime) {
    ProbeObject singleton;
    ASSERT_TRUE(fpRegistry->AddCreator(new FunctionCreator(u"singleton", [&] { return &singleton; })));
    EXPECT_EQ(fManager.CreateObject(u"singleton", 0), &singleton);
    EXPECT_EQ(fManager.CreateObject(u"singleton", 0), &singleton);
    EXPECT_EQ(singleton.fInitializeCount, 2);
    EXPECT_EQ(fManager.GetCount(), 0);
}

TEST_F(CreateObject, UnknownIdsAndManagersIdsAreNotCreators) {
    LogCapture log;
    EXPECT_EQ(fManager.CreateObject(u"nothing", 0), nullptr);
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kNoCreatorIndex, "nothing")));
    ASSERT_NE(VoAPIObjectManager::GetInstance(), nullptr);
    // The manager stands at index 0 of its kind, where a creator stands too.
    ASSERT_NE(fpRegistry->GetCreator(0u), nullptr);
    EXPECT_EQ(fManager.CreateObject(u"apiobjectmanager", 0), nullptr);
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kNoCreatorIndex, "apiobjectmanager")));
    log.Clear();
    EXPECT_EQ(fManager.CreateObjectByCreatorIndex(99, 0), nullptr);
    EXPECT_TRUE(log.Contains(Text(VoRegistry::kNoCreatorAtIndex, "99")));
    EXPECT_TRUE(log.Contains(VoObjectManager::kCreatorRetrievalFailed));
}

namespace {

// Services whose creator makes them new; each notes its deletion here.
bool gServiceDeleted = false;

class RefusingService : public ProbeObject {
public:
    RefusingService() : ProbeObject(&gServiceDeleted, false) {}
};

class PlainService : public VoBase {
public:
    ~PlainService() override { gServiceDeleted = true; }
    bool Initialize(std::uintptr_t) { return true; }  // only for VoServiceCreator; not a stream object
};

}  // namespace

TEST_F(CreateObject, ANewObjectThatFailsGoesBackToItsCreatorToBeDeleted) {
    struct Case {
        const char16_t* id;
        VoIObjectCreator* creator;
        const char* message;
    };
    const Case cases[] = {
        {u"refusing", new VoServiceCreator<RefusingService, VoServiceInit::kNone>(u"refusing", "Refusing"),
         VoObjectManager::kInitializationFailure},
        {u"plain", new VoServiceCreator<PlainService, VoServiceInit::kNone>(u"plain", "Plain"),
         VoObjectManager::kNotAStreamObject},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_TRUE(fpRegistry->AddCreator(c.creator));
        gServiceDeleted = false;
        LogCapture log;
        EXPECT_EQ(fManager.CreateObject(c.id, 0), nullptr);
        EXPECT_TRUE(log.Contains(c.message));
        EXPECT_TRUE(gServiceDeleted);
    }
}

TEST_F(CreateObject, FailuresOfTheCreatedObjectAreReported) {
    bool deleted = false;
    ProbeObject refusing(&deleted, false);
    VoBase notAStreamObject;
    ASSERT_TRUE(fpRegistry->AddCreator(new FunctionCreator(u"null", [] { return nullptr; })));
    ASSERT_TRUE(fpRegistry->AddCreator(new FunctionCreator(u"plain", [&] { return &notAStreamObject; })));
    ASSERT_TRUE(fpRegistry->AddCreator(new FunctionCreator(u"refusing", [&] { return &refusing; })));
    LogCapture log;
    EXPECT_EQ(fManager.CreateObject(u"null", 0), nullptr);
    const std::uint32_t nullIndex = fpRegistry->GetCreatorIndex(u"null");
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kCreationFailed, std::to_string(nullIndex))));
    EXPECT_EQ(fManager.CreateObject(u"plain", 0), nullptr);
    EXPECT_TRUE(log.Contains(Text(VoObjectManager::kNotAStreamObject, std::to_string(nullIndex + 1))));
    EXPECT_EQ(fManager.CreateObject(u"refusing", 0), nullptr);
    EXPECT_TRUE(log.Contains(VoObjectManager::kInitializationFailure));
    EXPECT_EQ(refusing.fInitializeCount, 1);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(log.Lines().size(), 3u);
}
