#include "MGBuildVersion.h"

#include <gtest/gtest.h>

#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "support/TestText.h"

TEST(MGBuildVersion, TheVersionAndTheViewDescriptionStandAtTheBottom) {
    RecordingGame game;
    ASSERT_TRUE(RecordingGame::MountSampleTree());
    ASSERT_TRUE(VoFontManager::GetInstance()->CreateFonts(VoString(u"//dataroot/textures/fonts/fonts.txt"),
                                                          VoString(u"//dataroot/textures/fonts/")));
    MGBuildVersion* version = MGBuildVersion::GetInstance();
    ASSERT_NE(version, nullptr);
    struct Expected {
        VoTextArea* text;
        const char* id;
        float x;
        const char* content;
    };
    const Expected texts[] = {
        {version->GetVersion(), "MG_BUILD_VERSION", 700.0f, "Build: 9.09.b01"},
        {version->GetViewDescription(), "MG_VIEW_DESCRIPTION", 20.0f, ""},
    };
    for (const Expected& e : texts) {
        ASSERT_NE(e.text, nullptr);
        EXPECT_EQ(Narrow(e.text->GetId()), e.id);
        EXPECT_EQ(e.text->GetPosition(), VoVector2(e.x, 570.0f));
        EXPECT_EQ(Narrow(e.text->GetText()), e.content);
        // Made with the font, and left out of the display.
        EXPECT_NE(e.text->GetFont(), nullptr);
        EXPECT_EQ(e.text->GetGroup(), nullptr);
    }
    version->SetViewDescription(VoString(u"lobby, by the door"));
    EXPECT_EQ(Narrow(version->GetViewDescription()->GetText()), "lobby, by the door");
}
