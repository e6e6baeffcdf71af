#include "menu/MGGameFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MenuGame.h"
#include "event/VoEventManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoMemoryStream.h"
#include "time/VoGameClock.h"

namespace {

// Builds the bytes of a saved game in the stream encoding.
class Bytes {
public:
    Bytes& Int(std::int32_t aValue) {
        for (int i = 0; i < 4; ++i) {
            fBytes += static_cast<char>((static_cast<std::uint32_t>(aValue) >> (8 * i)) & 0xFF);
        }
        return *this;
    }
    Bytes& Float(float aValue) {
        std::int32_t bits = 0;
        std::memcpy(&bits, &aValue, 4);
        return Int(bits);
    }
    Bytes& Text(const std::string& aText) {
        Int(static_cast<std::int32_t>(aText.size()));
        for (char c : aText) {
            fBytes += c;
            fBytes += '\0';
        }
        fBytes += std::string(2, '\0');
        return *this;
    }
    // A record header: version 1.0, no handle.
    Bytes& Record(const std::string& aCreator) { return Float(1.0f).Int(0).Text("").Text(aCreator); }
    Bytes& StringState(const std::string& aId, const std::string& aValue) {
        return Float(0.0f).Int(3).Text(aId).Text(aValue);
    }
    Bytes& NumberState(const std::string& aId, float aValue) {
        return Float(0.0f).Int(2).Text(aId).Float(aValue);
    }
    std::string fBytes;
};

// The brass key in the first space of case 1's evidence; the player in the
// squad room, case 1 chosen, one event, clock 1 without triggers.
std::string SampleSave() {
    Bytes save;
    save.Int(0).Int(1).Int(0).Text("brasskey");
    for (int grid = 2; grid < 16; ++grid) {
        save.Int(0);
    }
    save.Record("eventmanager").Int(1).Text("evt_precinct_visited").Float(0.0f);
    save.Record("statemanager").Int(3);
    save.StringState("sta_currentscene", "precinct").StringState("sta_currentviewpoint", "vp_squadroom");
    save.NumberState("sta_selectedcase", 1.0f);
    save.Record("gameclock").Int(1).Int(0);
    return save.fBytes;
}

std::string Saved() {
    VoMemoryStream out(256, VoMemoryStream::kGrowDouble);
    MGGameFile game;
    EXPECT_TRUE(game.Write(&out));
    return std::string(reinterpret_cast<const char*>(out.GetBuffer()), out.GetPosition());
}

}  // namespace

TEST(MGGameFile, AHandWrittenSaveLoadsWholeAndSavesBackToTheSameBytes) {
    MenuGame game;
    const std::string save = SampleSave();
    ASSERT_TRUE(MGGameFile::Apply(save.data(), static_cast<std::int32_t>(save.size())));
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"brasskey")));
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"evt_precinct_visited")));
    EXPECT_EQ(VoStateManager::GetInstance()->GetStateCount(), 3);
    EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 1);
    EXPECT_EQ(Saved(), save);
}

TEST(MGGameFile, AnEmptyInventorysBlockIsSixtyFourZeroBytes) {
    MenuGame game;
    MGPDA::GetInstance()->GetInventoryPanel()->ClearItems();
    EXPECT_EQ(Saved().substr(0, 64), std::string(64, '\0'));
    EXPECT_EQ(Saved().substr(64, 8), Bytes().Float(1.0f).Int(0).fBytes);
}

TEST(MGGameFile, ADamagedSaveLeavesTheRunningGameExactlyAsItWas) {
    MenuGame game;
    VoStateManager::GetInstance()->SetState(VoString(u"sta_currentscene"), VoString(u"string"),
                                            VoString(u"case01/lobby"), false);
    VoStateManager::GetInstance()->SetState(VoString(u"sta_currentviewpoint"), VoString(u"string"),
                                            VoString(u"vp_desk"), false);
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_lobby_visited"), false);
    VoGameClock::GetInstance()->SetCurrentClock(3);
    VoGameClock::GetInstance()->AddDelayedTrigger(VoString(u"evt_later"), 4.0f, -1);
    ASSERT_TRUE(MenuGame::GiveItem(u"letter"));
    const std::string running = Saved();
    const std::string save = SampleSave();
    std::string placeless = save;
    const std::string scene = Bytes().Text("sta_currentscene").fBytes;
    placeless.replace(placeless.find(scene), scene.size(), Bytes().Text("sta_currentscenf").fBytes);
    for (const std::string& bad :
         {save.substr(0, 63), save.substr(0, save.size() - 12), save + "x", placeless, std::string()}) {
        EXPECT_FALSE(MGGameFile::Apply(bad.data(), static_cast<std::int32_t>(bad.size()))) << bad.size();
        EXPECT_EQ(Saved(), running) << bad.size();
    }
    EXPECT_FALSE(MGGameFile::Load(VoString(u"//dataroot/game/missing.dat")));
    EXPECT_EQ(Saved(), running);
}
