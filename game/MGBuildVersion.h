#pragma once
// The build-version overlay: the text "Build: 9.09.b01" at (700, 570) and a
// line that describes the current view at (20, 570), both in the font
// "tahoma10sys". Scenes and close-ups set the description when the view
// changes. Nothing attaches the two texts to the display tree.
#include "container/VoBase.h"

class VoString;
class VoTextArea;

class MGBuildVersion : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGBuildVersion creation failure.";
    static constexpr const char16_t* kVersionId = u"MG_BUILD_VERSION";
    static constexpr const char16_t* kDescriptionId = u"MG_VIEW_DESCRIPTION";
    static constexpr const char16_t* kFont = u"tahoma10sys";
    static constexpr const char16_t* kVersionText = u"Build: 9.09.b01";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGBuildVersion* GetInstance();

    // A text whose font is missing is kept, and draws nothing.
    MGBuildVersion();
    MGBuildVersion(const MGBuildVersion&) = delete;
    MGBuildVersion& operator=(const MGBuildVersion&) = delete;
    // Deletes both texts.
    ~MGBuildVersion() override;

    void SetViewDescription(const VoString& aText);

    // Owned.
    VoTextArea* GetVersion() const { return fpVersion; }
    VoTextArea* GetViewDescription() const { return fpDescription; }

    VoString ToString() const override;

private:
    VoTextArea* fpVersion;      // owned
    VoTextArea* fpDescription;  // owned
};
