#include "navigation/VoWayPoint.h"

#include "memory/VoNew.h"

VoWayPoint::~VoWayPoint() {
    FreeLinks();
}

std::int32_t VoWayPoint::StairClassOf(const VoString& aText) {
    if (aText.EqualsNoCase(kTopStairText)) {
        return kTopStair;
    }
    if (aText.EqualsNoCase(kBottomStairText)) {
        return kBottomStair;
    }
    return kOrdinary;
}

bool VoWayPoint::AllocateLinks(int aCount) {
    FreeLinks();
    if (aCount <= 0) {
        return aCount == 0;
    }
    fpLinks = VO_NEW std::int32_t[aCount]();
    fpLinkLengths = VO_NEW float[aCount]();
    fpLinkEnabled = VO_NEW std::uint8_t[aCount]();
    if (fpLinks == nullptr || fpLinkLengths == nullptr || fpLinkEnabled == nullptr) {
        FreeLinks();
        return false;
    }
    fLinkCount = aCount;
    return true;
}

void VoWayPoint::FreeLinks() {
    delete[] fpLinks;
    delete[] fpLinkLengths;
    delete[] fpLinkEnabled;
    fpLinks = nullptr;
    fpLinkLengths = nullptr;
    fpLinkEnabled = nullptr;
    fLinkCount = 0;
}
