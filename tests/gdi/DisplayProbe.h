#pragma once
// What the display tests share: a leaf display object that writes its id
// into a journal when it is drawn, readable vectors and rectangles, and an
// engine without a rasterizer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "gdi/VoIDisplayObject.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "object/VoRegistry.h"
#include "support/ProbeObjects.h"
#include "support/ScopedEngine.h"
#include "support/TestText.h"

using Journal = std::vector<std::string>;

// Draws nothing: validates itself like every drawable, writes its id into
// the journal (when it has one), runs the test's action and answers fResult.
class ProbeObject2D : public VoIDisplayObject {
public:
    explicit ProbeObject2D(const char* apId, Journal* apJournal = nullptr, bool* apDeleted = nullptr)
        : fpJournal(apJournal), fpDeleted(apDeleted) {
        SetId(VoString(apId));
    }
    ~ProbeObject2D() override {
        if (fpDeleted != nullptr) {
            *fpDeleted = true;
        }
    }
    bool Render(VoRenderer* apRenderer) override {
        Validate();
        if (fpJournal != nullptr) {
            fpJournal->push_back(Narrow(GetId()));
        }
        if (fOnRender) {
            fOnRender(apRenderer);
        }
        return fResult;
    }

    bool fResult = true;
    std::function<void(VoRenderer*)> fOnRender;

private:
    Journal* fpJournal;  // not owned
    bool* fpDeleted;     // not owned
};

inline VoVector2 WorldPosition(VoIDisplayObject& aObject) {
    VoVector2 position;
    return aObject.GetWorldPosition(position);
}

inline void PrintTo(const VoVector2& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ")";
}

inline void PrintTo(const VoRectangle& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ", " << aValue.width << ", " << aValue.height << ")";
}

inline bool operator==(const VoRectangle& aA, const VoRectangle& aB) {
    return aA.x == aB.x && aA.y == aB.y && aA.width == aB.width && aA.height == aB.height;
}

// Within a thousandth of a pixel.
MATCHER_P2(IsNear2D, aX, aY, "") {
    return std::abs(arg.x - aX) < 1e-3f && std::abs(arg.y - aY) < 1e-3f;
}

// An engine whose "rasterizer" creator makes nothing.
class EngineWithoutRasterizer : public ScopedEngine {
public:
    EngineWithoutRasterizer() : ScopedEngine(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* creator = new FunctionCreator(VoString(u"rasterizer"), [] { return nullptr; });
        if (!VoRegistry::Get()->AddCreator(creator)) {
            delete creator;
        }
    }
};
