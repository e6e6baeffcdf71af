#include "object/VoRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object/VoIObjectCreator.h"
#include "object/VoObjectManager.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoGameObjectManager.h"
#include "support/LogCapture.h"
#include "support/ProbeObjects.h"
#include "support/ScopedEngine.h"

namespace {

const char* const kStartUpIds[] = {"filesystem", "timer",        "rasterizer",   "texture",
                                   "devicecaps", "matrixutil",   "soundmanager", "moviemanager",
                                   "platform",   "eventmanager", "statemanager", "gameclock"};

FunctionCreator* NewCreator(const char* apId) {
    return new FunctionCreator(apId, [] { return new ProbeObject(); });
}

// Notes in a journal of the test's when it is deleted.
class JournalCreator : public VoIObjectCreator {
public:
    JournalCreator(const char* apId, std::vector<std::string>* apJournal)
        : VoIObjectCreator(apId), fName(apId), fpJournal(apJournal) {}
    ~JournalCreator() override { fpJournal->push_back("creator " + fName); }
    VoBase* Create() override { return nullptr; }

private:
    std::string fName;
    std::vector<std::string>* fpJournal;  // not owned
};

class JournalManager : public VoObjectManager {
public:
    JournalManager(const char* apId, std::uint32_t aIndex, std::vector<std::string>* apJournal)
        : VoObjectManager(apId, aIndex), fpJournal(apJournal) {}
    ~JournalManager() override { fpJournal->push_back("manager " + std::to_string(GetIndex())); }

private:
    std::vector<std::string>* fpJournal;  // not owned
};

}  // namespace

TEST(VoRegistry, StartUpIdsTakeTheirIndicesInRegistrationOrder) {
    VoRegistry registry;
    for (const char* id : kStartUpIds) {
        EXPECT_TRUE(registry.AddCreator(NewCreator(id)));
    }
    ASSERT_EQ(registry.GetCreatorCount(), 12);
    for (std::uint32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(registry.GetIndex(kStartUpIds[i]), i);
        ASSERT_NE(registry.GetCreator(i), nullptr);
        EXPECT_TRUE(registry.GetCreator(i)->GetId().Equals(VoString(kStartUpIds[i])));
        VoString id;
        EXPECT_TRUE(registry.GetCreatorId(i, id));
        EXPECT_TRUE(id.Equals(VoString(kStartUpIds[i])));
    }
    EXPECT_EQ(registry.GetIndex(u"gameclock"), 11u);
    EXPECT_EQ(registry.GetCreator(u"gameclock"), registry.GetCreator(11));
    EXPECT_EQ(registry.GetIndex(u"GameClock"), VoRegistry::kNotFound);
}

TEST(VoRegistry, AnIdIsRefusedWhenEitherKindHoldsIt) {
    VoRegistry registry;
    ASSERT_TRUE(registry.AddCreator(NewCreator("timer")));
    ASSERT_TRUE(registry.AddObjectManager(new VoObjectManager(u"apiobjectmanager", 0xAA)));
    LogCapture log;

    FunctionCreator* sameAsCreator = NewCreator("timer");
    EXPECT_FALSE(registry.AddCreator(sameAsCreator));
    FunctionCreator* sameAsManager = NewCreator("apiobjectmanager");
    EXPECT_FALSE(registry.AddCreator(sameAsManager));
    VoObjectManager* managerSameAsCreator = new VoObjectManager(u"timer", 0xBB);
    EXPECT_FALSE(registry.AddObjectManager(managerSameAsCreator));

    EXPECT_EQ(log.Count(std::string(VoRegistry::kDuplicateId) + "timer"), 2);
    EXPECT_EQ(log.Count(std::string(VoRegistry::kDuplicateId) + "apiobjectmanager"), 1);
    EXPECT_EQ(registry.GetCreatorCount(), 1);
    EXPECT_EQ(registry.GetObjectManagerCount(), 1);
    EXPECT_EQ(registry.GetObjectManagerForHandle(0xBB000001), nullptr);
    // A refused object stays the caller's.
    delete sameAsCreator;
    delete sameAsManager;
    delete managerSameAsCreator;
}

TEST(VoRegistry, LookupsByIdFindOnlyTheirOwnKind) {
    VoRegistry registry;
    ASSERT_TRUE(registry.AddCreator(NewCreator("timer")));
    VoObjectManager* manager = new VoObjectManager(u"apiobjectmanager", 0xAA);
    ASSERT_TRUE(registry.AddObjectManager(manager));
    // Both stand at index 0 of their own kind.
    EXPECT_EQ(registry.GetIndex(u"timer"), 0u);
    EXPECT_EQ(registry.GetIndex(u"apiobjectmanager"), 0u);
    EXPECT_EQ(registry.GetCreatorIndex(u"apiobjectmanager"), VoRegistry::kNotFound);
    EXPECT_EQ(registry.GetObjectManagerIndex(u"timer"), VoRegistry::kNotFound);

    LogCapture log;
    EXPECT_EQ(registry.GetCreator(u"apiobjectmanager"), nullptr);
    EXPECT_EQ(registry.GetObjectManager(u"timer"), nullptr);
    EXPECT_EQ(registry.GetCreator(u"nothing"), nullptr);
    EXPECT_EQ(log.Lines().size(), 3u);
    EXPECT_TRUE(log.Contains(std::string("WARNING: engine/object/VoRegistry.cpp, ")));
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kCreatorNotFound) + "apiobjectmanager"));
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kManagerNotFound) + "timer"));
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kCreatorNotFound) + "nothing"));

    EXPECT_EQ(registry.GetObjectManager(u"apiobjectmanager"), manager);
    EXPECT_EQ(registry.GetObjectManager(0u), manager);
    EXPECT_NE(registry.GetCreator(u"timer"), nullptr);
}

TEST(VoRegistry, IndicesOutOfRangeAreLoggedWithTheIndex) {
    VoRegistry registry;
    ASSERT_TRUE(registry.AddCreator(NewCreator("timer")));
    LogCapture log;
    EXPECT_EQ(registry.GetCreator(5u), nullptr);
    EXPECT_TRUE(log.Contains(std::string("ERROR: engine/object/VoRegistry.cpp, ")));
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kNoCreatorAtIndex) + "5"));
    EXPECT_EQ(registry.GetObjectManager(0u), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kNoManagerAtIndex) + "0"));

    log.Clear();
    VoString id(u"unchanged");
    EXPECT_FALSE(registry.GetCreatorId(7, id));
    EXPECT_EQ(log.Lines().size(), 1u);
    EXPECT_TRUE(log.Contains(std::string(VoRegistry::kNoValidCreator) + "7"));
    EXPECT_TRUE(id.Equals(u"unchanged"));
}

TEST(VoRegistry, NullIsRefused) {
    VoRegistry registry;
    LogCapture log;
    EXPECT_FALSE(registry.AddCreator(nullptr));
    EXPECT_FALSE(registry.AddObjectManager(nullptr));
    EXPECT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(registry.GetCreatorCount(), 0);
}

TEST(VoRegistry, AnEmptyIdIsReportedButCanBeAddedOnce) {
    VoRegistry registry;
    LogCapture log;
    FunctionCreator* first = NewCreator("");
    EXPECT_EQ(log.Count(std::string("ASSERT FAILURE: engine/object/VoIObjectCreator.cpp, ")), 1);
    EXPECT_TRUE(log.Contains(VoIObjectCreator::kInvalidId));
    EXPECT_TRUE(registry.AddCreator(first));
    FunctionCreator* second = NewCreator("");
    EXPECT_FALSE(registry.AddCreator(second));
    delete second;
    EXPECT_EQ(registry.GetCreatorIndex(u""), 0u);
}

TEST(VoRegistry, HandlesAreRoutedByTheirTopEightBits) {
    ScopedEngine engine;
    VoAPIObjectManager* api = VoAPIObjectManager::GetInstance();
    VoGameObjectManager* game = VoGameObjectManager::GetInstance();
    ASSERT_NE(api, nullptr);
    ASSERT_NE(game, nullptr);
    VoRegistry* registry = VoRegistry::Get();
    ASSERT_NE(registry, nullptr);

    LogCapture log;
    EXPECT_EQ(registry->GetObjectManagerForHandle(0xAA123456), api);
    EXPECT_EQ(registry->GetObjectManagerForHandle(0xBB000001), game);
    // The texture manager stands alone.
    EXPECT_EQ(registry->GetObjectManagerForHandle(0x78000001), nullptr);
    EXPECT_EQ(registry->GetObject(0x78000001), nullptr);
    EXPECT_TRUE(log.Lines().empty());

    bool deleted = false;
    ProbeObject* object = new ProbeObject(&deleted);
    const std::uint32_t handle = game->Add(u"probe", object);
    EXPECT_EQ(registry->GetObject(handle), object);
    EXPECT_EQ(registry->GetObject(handle + 1), nullptr);
    EXPECT_TRUE(log.Contains(VoObjectManager::kInvalidHandleValue));
    engine.ShutDown();
    EXPECT_TRUE(deleted);
}

TEST(VoRegistry, TheEngineRegistryIsOneAndOutlivesLaterSingletons) {
    ScopedEngine engine;
    VoRegistry* registry = VoRegistry::Get();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(VoRegistry::Get(), registry);

    // A singleton made after the registry still finds it while it is deleted.
    static bool sawRegistry = false;
    sawRegistry = false;
    struct Later : public VoBase {
        ~Later() override { sawRegistry = VoRegistry::Get() != nullptr; }
    };
    ASSERT_TRUE(VoCleaner::GetInstance()->AddInstance(new Later()));

    std::vector<std::string> journal;
    ASSERT_TRUE(registry->AddCreator(new JournalCreator("one", &journal)));
    ASSERT_TRUE(registry->AddObjectManager(new JournalManager("m1", 1, &journal)));
    ASSERT_TRUE(registry->AddCreator(new JournalCreator("two", &journal)));
    ASSERT_TRUE(registry->AddObjectManager(new JournalManager("m2", 2, &journal)));

    engine.ShutDown();
    EXPECT_TRUE(sawRegistry);
    EXPECT_EQ(journal, (std::vector<std::string>{"creator one", "creator two", "manager 1", "manager 2"}));

    LogCapture log;
    EXPECT_EQ(VoRegistry::Get(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance(), nullptr);
    EXPECT_EQ(VoAPIObjectManager::GetInstance(), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}
