#include "scene/MGAmbientAnimItem.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "scene/MGRandomWait.h"
#include "system/VoITimer.h"

namespace {

const VoString kMovie(u"movie");
const VoString kLoop(u"loop");
const VoString kMinInterval(u"mininterval");
const VoString kMaxInterval(u"maxinterval");
const VoString kPosition(u"position");

}  // namespace

MGAmbientAnimItem::MGAmbientAnimItem() : MGAmbientAnimItem(nullptr) {}

MGAmbientAnimItem::MGAmbientAnimItem(VoITimer* apTimer) : fpTimer(apTimer) {
    MGRandomWait::Seed();
}

MGAmbientAnimItem::~MGAmbientAnimItem() {
    DropMovie();
}

bool MGAmbientAnimItem::Load(VoPropertyList* apEntry) {
    VoPropertyList empty;
    VoPropertyList* entry = apEntry != nullptr ? apEntry : &empty;
    bool found = false;
    fPath = VoString(kMovieRoot);
    fPath.Append(entry->GetString(kMovie, &found));
    if (!found) {
        VO_ASSERT_FAILURE(kNoMovie);
        fFailed = true;
    }
    const bool loop = entry->GetBool(kLoop, &found);
    fLoop = found ? loop : true;
    fMinInterval = entry->GetFloat(kMinInterval, nullptr);
    fMaxInterval = entry->GetFloat(kMaxInterval, nullptr);
    fPosition = entry->GetVectorFloat(kPosition, nullptr);

    if (fLoop) {
        StartMovie();
    } else {
        fNextTime = static_cast<float>(Now()) + MGRandomWait::Wait(fMinInterval, fMaxInterval);
    }
    return true;
}

bool MGAmbientAnimItem::Draw(VoRenderer* apRenderer) {
    if (fpSprite != nullptr) {
        return fpSprite->Render(apRenderer);
    }
    if (!fLoop && Now() > fNextTime) {
        StartMovie();
    }
    return true;
}

void MGAmbientAnimItem::StartMovie() {
    if (fFailed) {
        return;
    }
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    fpMovie = movies != nullptr ? movies->CreateTextureMovie(fPath, fPath) : nullptr;
    fpSprite = fpMovie != nullptr ? VO_NEW VoSprite() : nullptr;
    if (fpSprite == nullptr) {
        VO_ERROR(kStartFailure, fPath);
        DropMovie();
        fFailed = true;
        return;
    }
    fpSprite->SetId(fPath);
    fpSprite->SetPosition(GetX(), GetY());
    fpSprite->Validate();
    if (!fpSprite->SetTexture(fpMovie->GetTextureHandle(), nullptr, nullptr)) {
        VO_ERROR(kStartFailure, fPath);
        DropMovie();
        fFailed = true;
        return;
    }
    fpMovie->SetListener(this);
    fpMovie->SetLooping(fLoop);
    fpMovie->Play();
}

void MGAmbientAnimItem::OnMovieEnd(VoString) {
    if (fLoop) {
        return;
    }
    fNextTime = static_cast<float>(Now()) + MGRandomWait::Wait(fMinInterval, fMaxInterval);
    DropMovie();
}

void MGAmbientAnimItem::DropMovie() {
    delete fpSprite;
    fpSprite = nullptr;
    delete fpMovie;
    fpMovie = nullptr;
}

float MGAmbientAnimItem::GetX() const {
    return fPosition.GetCount() > 0 ? fPosition.GetAt(0) : 0.0f;
}

float MGAmbientAnimItem::GetY() const {
    return fPosition.GetCount() > 1 ? fPosition.GetAt(1) : 0.0f;
}

double MGAmbientAnimItem::Now() {
    VoITimer* timer = fpTimer != nullptr ? fpTimer : VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoString MGAmbientAnimItem::ToString() const {
    return VoDebugString("MGAmbientAnimItem", this);
}
