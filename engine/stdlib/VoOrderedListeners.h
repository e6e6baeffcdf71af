#pragma once
// The ordered listener list behind the frame manager and the engine keyboard
// and mouse: listeners kept in ascending order of the order each registered
// with, equal orders in the order they came, with each dispatch walking a
// snapshot of the list.
//
// Listeners add and remove listeners from inside their callbacks, and a
// callback may itself raise a nested event (the mouse's SetEnabled(true)
// sends a move). An addition is first seen by the next walk; a removal nulls
// the listener in every snapshot still being walked, the outer ones of a
// nested event included, so a removed listener is never called again.
#include "container/VoLogSite.h"
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"

class VoOrderedListeners {
public:
    enum class Removal { kRemoved, kAbsent, kFailed };

    VoOrderedListeners();
    VoOrderedListeners(const VoOrderedListeners&) = delete;
    VoOrderedListeners& operator=(const VoOrderedListeners&) = delete;
    ~VoOrderedListeners();

    int GetCount() const { return fListeners.GetCount(); }
    bool Contains(const void* apListener) const { return fListeners.Contains(apListener); }
    // True while a Snapshot of the list exists.
    bool IsWalking() const { return fpInnermost != nullptr; }

    // Puts apListener (not owned) before the first listener whose order is
    // strictly greater, else last; a NaN order goes last. False, nothing
    // changed, when the lists cannot grow. Duplicates are not looked for (Add does).
    bool Insert(void* apListener, float aOrder);
    // Insert with the checks every owner makes, each failure logged at the
    // caller: null is refused with apNull; a listener already present is
    // refused with apDuplicate, or kept as it is (true) when apDuplicate is
    // null; a failed insertion logs apFailure.
    bool Add(void* apListener, float aOrder, const char* apNull, const char* apDuplicate,
             const char* apFailure, VoLogSite aSite = VoLogSite::Here());
    // kFailed (nothing changed) only when the lists could not shrink.
    Removal Remove(const void* apListener);

    // One walk: the list as it was when the walk began. Made on the stack
    // around the calls, so nested walks end in the reverse order.
    class Snapshot {
    public:
        explicit Snapshot(VoOrderedListeners& aList);
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;
        ~Snapshot();

        // False when the copy could not be made (memory); the walk is then empty.
        bool IsValid() const { return fpEntries != nullptr; }
        int GetCount() const { return fCount; }
        // Null for a listener removed since the walk began.
        void* GetAt(int aIndex) const { return fpEntries[aIndex]; }

    private:
        friend class VoOrderedListeners;

        VoOrderedListeners& fList;
        void** fpEntries;  // owned
        int fCount;
        Snapshot* fpOuter;  // not owned: the walk this one is nested in, or null
    };

private:
    VoVector fListeners;    // not owned, ascending by order
    VoVectorFloat fOrders;  // parallel to fListeners
    Snapshot* fpInnermost;  // not owned: the walk in progress, or null
};
