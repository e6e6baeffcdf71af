#include "scene/MGObjectOfInterest.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"

bool MGObjectOfInterest::Read(VoPropertyList* apSection) {
    if (apSection == nullptr) {
        return true;
    }
    bool found = false;
    const VoVectorFloat coords = apSection->GetVectorFloat(VoString(u"coords"), &found);
    if (found && coords.GetCount() >= 3) {
        fCoords = VoVector3(coords.GetAt(0), coords.GetAt(1), coords.GetAt(2));
    } else {
        VO_ASSERT_FAILURE(kNoCoords);
    }
    const VoVectorFloat ground = apSection->GetVectorFloat(VoString(u"vcoords"), &found);
    if (found && ground.GetCount() >= 2) {
        fVCoords = VoVector2(ground.GetAt(0), ground.GetAt(1));
    } else {
        VO_ASSERT_FAILURE(kNoVCoords);
    }
    fRadius = apSection->GetFloat(VoString(u"radius"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoRadius);
        fRadius = 0.0f;
    }
    return true;
}
