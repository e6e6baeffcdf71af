#pragma once
// What the steering and navigation display tests share: a navigation set up
// as the scene navigation does it (regions, a scene root whose frames are the
// ground meshes, a web, the camera), a timer the test moves, and a listener
// that counts the ends of walks.
//
//     NavigationRig rig(Room(0, 0, 100, 100), WayPoint("a", 50, 50, ""));
//     ASSERT_TRUE(rig.ready);
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "navigation/VoINavigationListener.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoPathFindingWeb.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "system/VoITimer.h"

// A timer that reads what the test sets.
class StepTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    bool Reset() override {
        fNow = 0.0;
        return true;
    }

    double fNow = 100.0;
};

struct CountingListener : VoINavigationListener {
    void OnNavigationStopped() override { ++stops; }
    int stops = 0;
};

inline std::string Number(float aValue) {
    return std::to_string(aValue);
}

// A positive region of the camera "cam" on the ground "floor": the rectangle
// from (aX, aY), its corners in the order that IsClockwise calls clockwise.
inline std::string Region(const std::string& aId, float aX, float aY, float aWidth, float aHeight,
                          const std::string& aCamera = "cam") {
    const std::string x0 = Number(aX), y0 = Number(aY), x1 = Number(aX + aWidth), y1 = Number(aY + aHeight);
    return "\t" + aId + "\n\t\tcamera=" + aCamera + "\n\t\tground=floor\n\t\tcoords=" + x0 + "|" + y0 + "|" +
           x1 + "|" + y0 + "|" + x1 + "|" + y1 + "|" + x0 + "|" + y1 + "\n";
}

inline std::string Obstacle(const std::string& aId, float aX, float aY, float aWidth, float aHeight) {
    const std::string x0 = Number(aX), y0 = Number(aY), x1 = Number(aX + aWidth), y1 = Number(aY + aHeight);
    return "\t" + aId + "\n\t\tground=floor\n\t\tcoords=" + x0 + "|" + y0 + "|" + x1 + "|" + y0 + "|" + x1 +
           "|" + y1 + "|" + x0 + "|" + y1 + "\n";
}

// One room and no obstacles.
inline std::string Room(float aX, float aY, float aWidth, float aHeight) {
    return "positive\n" + Region("room", aX, aY, aWidth, aHeight) + "negative\n";
}

inline std::string WayPoint(const std::string& aId, float aX, float aY, const std::string& aLinks) {
    return aId + "\n\tcoords=" + Number(aX) + "|" + Number(aY) + "\n\tlinks=" + aLinks + "\n";
}

inline std::unique_ptr<VoPropertyList> ListOf(const std::string& aText) {
    auto list = std::make_unique<VoPropertyList>();
    list->Parse(VoString(aText.c_str()));
    return list;
}

// The ground navigation with a next point that a test can set, for steps
// that the navigation's own frame step does not choose.
class PointedNavigation : public VoNavigationTDO {
public:
    void SetNextPoint(const VoVector3& aPoint) { fNextPoint = aPoint; }
};

class NavigationRig {
public:
    NavigationRig(const std::string& aRegions, const std::string& aWayPoints, const char* apCamera = "cam") {
        auto* scene = new VoFrame();
        scene->SetName(VoString(u"scene"));
        auto* floor = new VoFrame();
        floor->SetName(VoString(u"floor"));
        scene->AddChild(floor);
        root.SetRootFrame(scene);
        web.Create(ListOf(aWayPoints).get());
        ready = navigation.Create(ListOf(aRegions).get()) && navigation.SetSceneRoot(&root) &&
                navigation.SetPathFinding(&web) && navigation.SetCamera(VoString(apCamera));
    }

    VoPathFindingWeb web;
    VoDrawElement root;
    PointedNavigation navigation;
    bool ready = false;
};
