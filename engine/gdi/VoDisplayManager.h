#pragma once
// The owner of the 2D display tree: the group "root", under which every
// screen, panel and widget that is to be drawn is attached, and the way to
// the 2D renderer that draws it. The application's frame calls Render last,
// after the 3D scene, so the interface is drawn on top.
#include "container/VoBase.h"
#include "container/VoString.h"

class VoDisplayGroup;
class VoIDisplayObject;
class VoRenderer;

class VoDisplayManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "Display manager creation failure.";
    static constexpr const char* kAddNull = "AddMember failure. NULL arg.";
    static constexpr const char* kGetRendererFailure = "GetRenderer failure. Could not create.";
    static constexpr const char* kNoRenderer = "Render failure. No renderer defined.";
    static constexpr const char16_t* kRootId = u"root";
    static constexpr const char16_t* kDestroyedLine = u"~VoDisplayManager()";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it (so late
    // callers during shut-down find no manager instead of making a new one).
    static VoDisplayManager* GetInstance();

    VoDisplayManager();
    VoDisplayManager(const VoDisplayManager&) = delete;
    VoDisplayManager& operator=(const VoDisplayManager&) = delete;
    // Deletes the root and with it the whole tree still attached.
    ~VoDisplayManager() override;

    VoString ToString() const override;

    // The root's AddMember with the duplicate check; the root owns the member when true.
    bool AddMember(VoIDisplayObject* apMember);
    bool RemoveMember(VoIDisplayObject* apMember);
    bool RemoveMember(const VoString& aId, VoIDisplayObject** appMember);
    // Owned by the manager; null when it could not be made.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The renderer singleton (VoRenderer::GetInstance), made on first use;
    // null once the engine cleaner has deleted it.
    VoRenderer* GetRenderer();
    // BeginRender, the root's Render and EndRender, all three called; their AND.
    bool Render();

private:
    VoDisplayGroup* fpRoot;  // owned
};
