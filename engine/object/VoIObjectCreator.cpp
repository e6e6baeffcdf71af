#include "object/VoIObjectCreator.h"

#include "container/VoLog.h"

VoIObjectCreator::VoIObjectCreator(const VoString& aId) : fId(aId) {
    VO_ASSERT(aId.GetLength() > 0, kInvalidId);
}

VoIObjectCreator::~VoIObjectCreator() = default;

void VoIObjectCreator::Discard(VoBase*) {}
