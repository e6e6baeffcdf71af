#pragma once
// Recording stand-ins for the port layer (window, message queue, graphics
// context) and for the application, all writing what they are asked into one
// journal, so a test can read the order of a main-loop pass.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "container/VoColor.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "platform/VoApp.h"
#include "platform/VoIEventSource.h"
#include "platform/VoIGraphicsContext.h"
#include "platform/VoIPlatformPort.h"
#include "platform/VoIWindowPort.h"
#include "platform/VoPlatformDesc.h"
#include "platform/port/VoIRenderDevice.h"
#include "support/RecordingRenderDevice.h"
#include "support/TestText.h"

using Journal = std::vector<std::string>;

// An 800 x 600, 32-bit window titled "Test", made by the platform itself.
inline VoPlatformDesc TestWindowDesc(bool aWindowed = true) {
    VoPlatformDesc desc;
    desc.fTitle = VoString("Test");
    desc.fWidth = 800;
    desc.fHeight = 600;
    desc.fBits = 32;
    desc.fWindowed = aWindowed;
    return desc;
}

// What the fakes are set up to do, shared by every fake one port makes.
struct FakeSetup {
    bool fRegisters = true;
    bool fCreatesWindow = true;
    bool fSwapped = false;
    bool fCreatesContext = true;
    bool fCreatesBackBuffer = true;
    bool fMakesRenderDevice = false;
    std::set<VoBackBufferFormat> fColorFormats{VoBackBufferFormat::kA8R8G8B8, VoBackBufferFormat::kX8R8G8B8,
                                               VoBackBufferFormat::kR5G6B5};
    std::set<VoDepthStencilFormat> fDepthFormats{VoDepthStencilFormat::kD24S8};
    VoGraphicsCaps fCaps;
    std::deque<VoPortEvent> fEvents;
    // What CreateBackBuffer was given.
    VoPresentParameters fParameters;
};

class FakeWindowPort : public VoIWindowPort {
public:
    FakeWindowPort(FakeSetup* apSetup, Journal* apJournal) : fpSetup(apSetup), fpJournal(apJournal) {}
    bool Register() override { return fpSetup->fRegisters; }
    bool Create(const char* apTitle, std::uint32_t aWidth, std::uint32_t aHeight, bool aFullScreen) override {
        fpJournal->push_back(std::string("create ") + apTitle + " " + std::to_string(aWidth) + "x" +
                             std::to_string(aHeight) + (aFullScreen ? " full" : " windowed"));
        if (fpSetup->fCreatesWindow) {
            fpHandle = &fHandleTarget;
        }
        return fpSetup->fCreatesWindow;
    }
    void Adopt(void* apHandle) override {
        fpJournal->push_back("adopt");
        fpHandle = apHandle;
    }
    void* GetHandle() const override { return fpHandle; }
    void Show(int aShowCommand) override { fpJournal->push_back("show " + std::to_string(aShowCommand)); }
    void HoldPointer(bool aOn) override { fpJournal->push_back(aOn ? "hold on" : "hold off"); }
    void AdjustCursorShowCount(int aDelta) override {
        fpJournal->push_back(aDelta > 0 ? "cursor +" + std::to_string(aDelta)
                                        : "cursor " + std::to_string(aDelta));
    }
    bool AreMouseButtonsSwapped() const override { return fpSetup->fSwapped; }
    const char* GetErrorText() const override { return "no display"; }

private:
    FakeSetup* fpSetup;  // not owned
    Journal* fpJournal;  // not owned
    int fHandleTarget = 0;
    void* fpHandle = nullptr;
};

// Hands out the setup's events; a drain that empties the queue writes "messages".
class FakeEventSource : public VoIEventSource {
public:
    FakeEventSource(FakeSetup* apSetup, Journal* apJournal) : fpSetup(apSetup), fpJournal(apJournal) {}
    bool Poll(VoPortEvent* apEvent) override {
        if (fpSetup->fEvents.empty()) {
            fpJournal->push_back("messages");
            return false;
        }
        *apEvent = fpSetup->fEvents.front();
        fpSetup->fEvents.pop_front();
        return true;
    }

private:
    FakeSetup* fpSetup;  // not owned
    Journal* fpJournal;  // not owned
};

// A recording drawing device that notes its deletion in the journal.
class FakeRenderDevice : public RecordingRenderDevice {
public:
    explicit FakeRenderDevice(Journal* apJournal) : fpJournal(apJournal) {}
    ~FakeRenderDevice() override { fpJournal->push_back("device deleted"); }

private:
    Journal* fpJournal;  // not owned
};

class FakeGraphicsContext : public VoIGraphicsContext {
public:
    FakeGraphicsContext(FakeSetup* apSetup, Journal* apJournal) : fpSetup(apSetup), fpJournal(apJournal) {}
    ~FakeGraphicsContext() override { fpJournal->push_back("context deleted"); }
    bool Create(void* apWindow) override { return fpSetup->fCreatesContext && apWindow != nullptr; }
    bool CheckBackBufferFormat(VoBackBufferFormat aFormat, std::uint32_t aWidth,
                               std::uint32_t aHeight) override {
        return fpSetup->fColorFormats.count(aFormat) != 0 && aWidth == 800 && aHeight == 600;
    }
    bool CheckDepthStencilFormat(VoDepthStencilFormat aFormat, VoBackBufferFormat) override {
        return fpSetup->fDepthFormats.count(aFormat) != 0;
    }
    bool CreateBackBuffer(const VoPresentParameters& aParameters) override {
        fpSetup->fParameters = aParameters;
        return fpSetup->fCreatesBackBuffer;
    }
    const char* GetErrorText() const override { return "E_FAIL: no back buffer"; }
    VoIRenderDevice* CreateRenderDevice() override {
        return fpSetup->fMakesRenderDevice ? new FakeRenderDevice(fpJournal) : nullptr;
    }
    void BeginScene() override { fpJournal->push_back("begin"); }
    void EndScene() override { fpJournal->push_back("end"); }
    bool Present() override {
        fpJournal->push_back("present");
        return true;
    }
    bool Clear(const VoColor&) override { return true; }
    bool ReadBackBuffer(std::int32_t, std::int32_t, std::int32_t, std::int32_t, unsigned char*) override {
        return false;
    }
    void GetCapabilities(VoGraphicsCaps* apCaps) override { *apCaps = fpSetup->fCaps; }

private:
    FakeSetup* fpSetup;  // not owned
    Journal* fpJournal;  // not owned
};

class FakePort : public VoIPlatformPort {
public:
    VoIWindowPort* CreateWindowPort() override { return new FakeWindowPort(&fSetup, &fJournal); }
    VoIEventSource* CreateEventSource() override { return new FakeEventSource(&fSetup, &fJournal); }
    VoIGraphicsContext* CreateGraphicsContext() override {
        return new FakeGraphicsContext(&fSetup, &fJournal);
    }

    void Queue(VoPortEvent::Kind aKind, int aCode = 0, int aX = 0, int aY = 0) {
        VoPortEvent event;
        event.fKind = aKind;
        event.fCode = aCode;
        event.fX = aX;
        event.fY = aY;
        fSetup.fEvents.push_back(event);
    }

    FakeSetup fSetup;
    Journal fJournal;
};

// Writes every slot the platform calls into the journal ("frame", "key down
// 30", "mouse move mouse 7,3", ...); Frame then runs fOnFrame with the
// frame's number, counted from 1.
class RecordingApp : public VoApp {
public:
    explicit RecordingApp(Journal* apJournal, bool* apDeleted = nullptr)
        : fpJournal(apJournal), fpDeleted(apDeleted) {}
    ~RecordingApp() override {
        if (fpDeleted != nullptr) {
            *fpDeleted = true;
        }
    }
    bool OnMouseDown(const VoString& aDevice, int aButton) override {
        return Record("mouse down " + Narrow(aDevice) + " " + std::to_string(aButton));
    }
    bool OnMouseUp(const VoString& aDevice, int aButton) override {
        return Record("mouse up " + Narrow(aDevice) + " " + std::to_string(aButton));
    }
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override {
        if (fOnMove) {
            fOnMove(apValue);
        }
        return Record("mouse move " + Narrow(aDevice) + " " + std::to_string(static_cast<int>(apValue->x)) +
                      "," + std::to_string(static_cast<int>(apValue->y)));
    }
    bool OnQuit() override { return Record("quit"); }
    bool Init() override { return Record("init"); }
    bool OnKeyDown(int aKey) override { return Record("key down " + std::to_string(aKey)); }
    bool OnKeyUp(int aKey) override { return Record("key up " + std::to_string(aKey)); }
    bool Frame() override {
        Record("frame");
        ++fFrames;
        if (fOnFrame) {
            fOnFrame(fFrames);
        }
        return true;
    }
    bool OnActivate() override { return Record("activate"); }
    bool OnDeactivate() override { return Record("deactivate"); }

    std::function<void(int)> fOnFrame;
    // Runs before a move is written, and may change the point.
    std::function<void(VoVector2*)> fOnMove;
    int fFrames = 0;

private:
    bool Record(const std::string& aWhat) {
        fpJournal->push_back(aWhat);
        return true;
    }

    Journal* fpJournal;  // not owned
    bool* fpDeleted;     // not owned
};

// The journal without "activate" and "deactivate", which a real window system
// may add whenever it moves the focus.
inline Journal WithoutFocus(const Journal& aJournal) {
    Journal kept;
    for (const std::string& entry : aJournal) {
        if (entry != "activate" && entry != "deactivate") {
            kept.push_back(entry);
        }
    }
    return kept;
}
