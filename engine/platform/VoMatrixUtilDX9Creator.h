#pragma once
// Makes the matrix utility under the id "matrixutil", initialised once here
// and again by the object manager.
#include "object/VoServiceCreator.h"
#include "platform/VoMatrixUtilDX9.h"

class VoMatrixUtilDX9Creator : public VoServiceCreator<VoMatrixUtilDX9, VoServiceInit::kInitializeWithZero> {
public:
    static constexpr const char16_t* kId = u"matrixutil";

    VoMatrixUtilDX9Creator() : VoServiceCreator(kId, "VoMatrixUtilDX9Creator") {}
};
