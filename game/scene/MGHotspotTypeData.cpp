#include "scene/MGHotspotTypeData.h"

#include "script/VoScript.h"

MGHotspotTypeData::~MGHotspotTypeData() {
    delete fpEnabled;
}
