#pragma once
// A scene node that owns loaded models: its draw elements, rendered in the
// order they were added. The base of the lip-sync node and so of the engine
// character, which apply the active and visible rules themselves: a plain
// node renders whatever its states say.
#include "container/VoVector.h"
#include "scene/VoINodeObject.h"

class VoDrawElement;

class VoNode : public VoINodeObject {
public:
    static constexpr const char* kAddElementNull = "AddElement failure. Null arg.";
    static constexpr const char* kAddElementDuplicate = "AddElement failure. Element already added.";
    static constexpr const char* kGetElementOutOfBounds = "GetElement failure. Index out of bounds.";

    VoNode();
    // Deletes every element.
    ~VoNode() override;
    VoNode(const VoNode&) = delete;
    VoNode& operator=(const VoNode&) = delete;

    // Appends the element, which the node owns from then on; false, logged,
    // for null and for an element already added.
    bool AddElement(VoDrawElement* apElement);
    // Null for a negative index; null, logged, for one past the end.
    VoDrawElement* GetElement(int aIndex) const;
    VoVector& GetElements() { return fElements; }
    // Takes the element out without deleting it: it is the caller's again.
    // False when it is not here.
    bool RemoveElement(VoDrawElement* apElement);

    // Renders every element in order, going on after a failure; the AND of
    // their results, true without elements.
    bool Render() override;

private:
    VoVector fElements;  // VoDrawElement pointers, owned
};
