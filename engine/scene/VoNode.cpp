#include "scene/VoNode.h"

#include "container/VoLog.h"
#include "scene/VoDrawElement.h"

VoNode::VoNode() : fElements(10, 10) {}

VoNode::~VoNode() {
    const int count = fElements.GetCount();
    for (int i = 0; i < count; ++i) {
        delete static_cast<VoDrawElement*>(fElements.GetAt(i));
    }
    fElements.Clear();
}

bool VoNode::AddElement(VoDrawElement* apElement) {
    if (apElement == nullptr) {
        VO_ERROR(kAddElementNull);
        return false;
    }
    if (fElements.Contains(apElement)) {
        VO_ERROR(kAddElementDuplicate);
        return false;
    }
    return fElements.Add(apElement);
}

VoDrawElement* VoNode::GetElement(int aIndex) const {
    if (aIndex < 0) {
        return nullptr;
    }
    if (aIndex >= fElements.GetCount()) {
        VO_ERROR(kGetElementOutOfBounds);
        return nullptr;
    }
    return static_cast<VoDrawElement*>(fElements.GetAt(aIndex));
}

bool VoNode::RemoveElement(VoDrawElement* apElement) {
    if (apElement == nullptr || !fElements.Contains(apElement)) {
        return false;
    }
    return fElements.Remove(apElement);
}

bool VoNode::Render() {
    bool rendered = true;
    const int count = fElements.GetCount();
    for (int i = 0; i < count; ++i) {
        auto* element = static_cast<VoDrawElement*>(fElements.GetAt(i));
        rendered = (element != nullptr && element->Render()) && rendered;
    }
    return rendered;
}
