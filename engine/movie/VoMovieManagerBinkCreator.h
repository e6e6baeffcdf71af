#pragma once
// Makes the movie manager under the id "moviemanager", initialised once here
// and again by the object manager.
#include "movie/VoMovieManagerBink.h"
#include "object/VoServiceCreator.h"

class VoMovieManagerBinkCreator
    : public VoServiceCreator<VoMovieManagerBink, VoServiceInit::kInitializeWithZero> {
public:
    static constexpr const char16_t* kId = u"moviemanager";

    VoMovieManagerBinkCreator() : VoServiceCreator(kId, "VoMovieManagerBinkCreator") {}
};
