#include "scene/MGLighting.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoLight.h"
#include "scene/MGLightInfo.h"

namespace {

const VoString kType(u"type");
const VoString kDirectional(u"directional");
const VoString kPoint(u"point");
const VoString kDiffuse(u"diffuse");
const VoString kSpecular(u"specular");
const VoString kAmbient(u"ambient");
const VoString kDirection(u"direction");
const VoString kPosition(u"position");
const VoString kStartRange(u"startrange");
const VoString kEndRange(u"endrange");
const VoString kGlobal(u"global");
const VoString kOn(u"on");
const VoString kShadowCaster(u"shadowcaster");
const VoString kShadowBlend(u"shadowblend");
const VoString kCameras(u"cameras");
const VoString kAllCameras(u"all");

// Three floats of the entry; a missing or short list reports each missing
// component (VoVectorFloat::GetAt) and reads it as 0.
VoVector3 ReadVector(VoPropertyList* apEntry, const VoString& aKey) {
    const VoVectorFloat values = apEntry->GetVectorFloat(aKey, nullptr);
    return VoVector3(values.GetAt(0), values.GetAt(1), values.GetAt(2));
}

// R, G, B of the entry with alpha 1, not clamped: a light may be brighter than white.
VoColor ReadColor(VoPropertyList* apEntry, const VoString& aKey) {
    const VoVector3 rgb = ReadVector(apEntry, aKey);
    VoColor color;
    color.Set(1.0f, rgb.x, rgb.y, rgb.z);
    return color;
}

}  // namespace

MGLighting::MGLighting() : MGLighting(VoIRasterizer::Get()) {}

MGLighting::MGLighting(VoIRasterizer* apRasterizer) : fpRasterizer(apRasterizer) {}

MGLighting::~MGLighting() {
    Clear();
}

void MGLighting::Clear() {
    for (int i = 0; i < fCount; ++i) {
        delete fppLights[i];
    }
    delete[] fppLights;
    delete[] fpInfos;
    fppLights = nullptr;
    fpInfos = nullptr;
    fCount = 0;
    fGlobalIndex = -1;
    for (std::int32_t& index : fCameraLights) {
        index = -1;
    }
    fpShadowLight = nullptr;
}

bool MGLighting::CreateFromFile(const VoString& aPath) {
    VoPropertyList list;
    if (!list.Load(aPath, true)) {
        VO_ERROR(kCreateFromFileFailure);
        list.RemoveAll();
    }
    return CreateFromList(&list);
}

bool MGLighting::CreateFromList(VoPropertyList* apList) {
    Clear();
    const int count = apList != nullptr ? apList->GetCount() : 0;
    if (count > 0) {
        fppLights = VO_NEW VoLight* [count]();
        fpInfos = VO_NEW MGLightInfo[count];
        if (fppLights == nullptr || fpInfos == nullptr) {
            VO_ERROR(kCreateFromFileFailure);
            Clear();
            return false;
        }
        fCount = count;
    }
    for (int i = 0; i < fCount; ++i) {
        MGLightInfo& info = fpInfos[i];
        info.name = apList->GetKeyAt(i);
        VoPropertyList* entry = apList->GetListAt(i);
        if (entry == nullptr) {
            VO_ERROR(kSpotLights);
            continue;
        }
        fppLights[i] = MakeLight(entry);
        ReadInfo(entry, info);
        // Only a light that was made may be the global one.
        if (info.global && fppLights[i] == nullptr) {
            info.global = false;
        } else if (info.global && fGlobalIndex >= 0) {
            VO_ERROR(kSecondGlobal);
            info.global = false;
        } else if (info.global) {
            fGlobalIndex = i;
        }
    }
    if (fGlobalIndex < 0) {
        VO_ERROR(kNoGlobal);
        return false;
    }
    return true;
}

VoLight* MGLighting::MakeLight(VoPropertyList* apEntry) {
    const VoString type = apEntry->GetString(kType, nullptr);
    const bool directional = type == kDirectional;
    if (!directional && type != kPoint) {
        VO_ERROR(kSpotLights);
        return nullptr;
    }
    VoLight* light = VO_NEW VoLight(directional ? VoLight::kDirectional : VoLight::kPoint);
    if (light == nullptr) {
        VO_ERROR(kCreateFromFileFailure);
        return nullptr;
    }
    light->fDiffuse = ReadColor(apEntry, kDiffuse);
    light->fSpecular = ReadColor(apEntry, kSpecular);
    light->fAmbient = ReadColor(apEntry, kAmbient);
    if (directional) {
        // A zero direction is a data mistake; it is logged and points up.
        light->fDirection = ReadVector(apEntry, kDirection).Normalize(kDirectionTolerance);
    } else {
        light->fPosition = ReadVector(apEntry, kPosition);
        light->fStartRange = apEntry->GetFloat(kStartRange, nullptr);
        light->fRange = apEntry->GetFloat(kEndRange, nullptr);
    }
    return light;
}

void MGLighting::ReadInfo(VoPropertyList* apEntry, MGLightInfo& aInfo) {
    aInfo.global = apEntry->GetBool(kGlobal, nullptr);
    aInfo.on = apEntry->GetBool(kOn, nullptr);
    aInfo.shadowCaster = apEntry->GetBool(kShadowCaster, nullptr);
    bool found = false;
    const float blend = apEntry->GetFloat(kShadowBlend, &found);
    if (found) {
        aInfo.shadowBlend = blend;
    }
    VoVectorString cameras = apEntry->GetVectorString(kCameras, &found);
    if (found) {
        aInfo.cameras = cameras;
        aInfo.cameras.SetIgnoreCase(true);
    }
}

bool MGLighting::LightsCamera(int aIndex, const VoString& aCameraName) const {
    const MGLightInfo& info = fpInfos[aIndex];
    if (fppLights[aIndex] == nullptr || !info.on || info.cameras.GetCount() == 0) {
        return false;
    }
    return info.cameras.GetAt(0).EqualsNoCase(kAllCameras) || info.cameras.Contains(aCameraName);
}

bool MGLighting::SetCamera(const VoString& aCameraName) {
    int picked = 0;
    for (int i = 0; i < fCount && picked < kCameraLightCount; ++i) {
        if (LightsCamera(i, aCameraName)) {
            fCameraLights[picked++] = i;
        }
    }
    for (; picked < kCameraLightCount; ++picked) {
        fCameraLights[picked] = -1;
    }
    return Apply();
}

bool MGLighting::SetShadowLight(const VoString& aName) {
    for (int i = 0; i < fCount; ++i) {
        if (fppLights[i] != nullptr && fpInfos[i].name == aName) {
            fpShadowLight = fppLights[i];
            return true;
        }
    }
    return false;
}

bool MGLighting::Apply() {
    if (fpRasterizer == nullptr) {
        return false;
    }
    bool result = fpRasterizer->SetLighting(true);
    for (std::uint32_t light = 0; light < kDeviceLightCount; ++light) {
        result = fpRasterizer->EnableLight(light, false) && result;
    }
    VoLight* global = GetLight(fGlobalIndex);
    if (global != nullptr && fpInfos[fGlobalIndex].on) {
        result = fpRasterizer->SetLight(0, global) && result;
        result = fpRasterizer->EnableLight(0, true) && result;
    }
    for (int slot = 0; slot < kCameraLightCount; ++slot) {
        result = ApplyCameraLight(slot) && result;
    }
    return result;
}

bool MGLighting::ApplyCameraLight(int aSlot) {
    const std::uint32_t device = static_cast<std::uint32_t>(aSlot) + 1;
    const int index = fCameraLights[aSlot];
    VoLight* light = GetLight(index);
    if (light == nullptr || index == fGlobalIndex || !fpInfos[index].on) {
        return fpRasterizer->EnableLight(device, false);
    }
    const bool set = fpRasterizer->SetLight(device, light);
    return fpRasterizer->EnableLight(device, true) && set;
}

VoLight* MGLighting::GetLight(int aIndex) const {
    return aIndex >= 0 && aIndex < fCount ? fppLights[aIndex] : nullptr;
}

const MGLightInfo* MGLighting::GetInfo(int aIndex) const {
    return aIndex >= 0 && aIndex < fCount ? &fpInfos[aIndex] : nullptr;
}

int MGLighting::GetCameraLight(int aSlot) const {
    return aSlot >= 0 && aSlot < kCameraLightCount ? fCameraLights[aSlot] : -1;
}
