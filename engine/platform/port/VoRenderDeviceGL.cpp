#include "platform/port/VoRenderDeviceGL.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/port/VoGraphicsContextState.h"

// The functions beyond OpenGL 1.1, which the context hands out.
struct VoGLFunctions {
    PFNGLSTENCILFUNCSEPARATEPROC StencilFuncSeparate = nullptr;
    PFNGLSTENCILOPSEPARATEPROC StencilOpSeparate = nullptr;
    PFNGLBLENDCOLORPROC BlendColor = nullptr;
    PFNGLPROVOKINGVERTEXPROC ProvokingVertex =
        nullptr;  // optional: without it flat shading takes the last vertex
};

class VoTextureGL : public VoDeviceTexture {
public:
    const VoRenderDeviceGL* fpOwner = nullptr;  // not owned
    GLuint fName = 0;
    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
    std::uint32_t fLevels = 0;
    std::int32_t fFormat = 0;
    VoTextureGL* fpPrevious = nullptr;  // not owned: neighbours in the device's list
    VoTextureGL* fpNext = nullptr;
};

class VoBufferGL : public VoDeviceBuffer {
public:
    ~VoBufferGL() override {
        delete[] fpData;
        delete[] fpColors;
    }

    const VoRenderDeviceGL* fpOwner = nullptr;  // not owned
    bool fIndex = false;
    VoIRenderDevice::IndexFormat fFormat = VoIRenderDevice::kIndex16;
    unsigned char* fpData = nullptr;  // owned (VO_NEW[])
    std::uint32_t fCapacity = 0;
    std::uint32_t fSize = 0;  // bytes written
    // The written vertices' colours as R, G, B, A for GL, made on the first
    // draw after a write; valid for one colour offset and stride.
    float* fpColors = nullptr;         // owned (VO_NEW[])
    std::uint64_t fColorCapacity = 0;  // floats
    bool fColorsValid = false;
    std::int32_t fColorsOffset = -1;
    std::uint32_t fColorsStride = 0;
    VoBufferGL* fpPrevious = nullptr;  // not owned: neighbours in the device's list
    VoBufferGL* fpNext = nullptr;
};

namespace {

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr float kRadiansToDegrees = 57.29577951308232f;

template <typename Node>
void Link(Node*& apHead, Node* apNode) {
    apNode->fpNext = apHead;
    if (apHead != nullptr) {
        apHead->fpPrevious = apNode;
    }
    apHead = apNode;
}

template <typename Node>
void Unlink(Node*& apHead, Node* apNode) {
    if (apNode->fpPrevious != nullptr) {
        apNode->fpPrevious->fpNext = apNode->fpNext;
    } else {
        apHead = apNode->fpNext;
    }
    if (apNode->fpNext != nullptr) {
        apNode->fpNext->fpPrevious = apNode->fpPrevious;
    }
    apNode->fpPrevious = nullptr;
    apNode->fpNext = nullptr;
}

// Row-major product for row vectors: a then b.
void Multiply(const float* apA, const float* apB, float* apOut) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += apA[row * 4 + k] * apB[k * 4 + column];
            }
            apOut[row * 4 + column] = sum;
        }
    }
}

float Clamp(float aValue, float aLow, float aHigh) {
    if (!(aValue >= aLow)) {
        return aLow;
    }
    return aValue > aHigh ? aHigh : aValue;
}

void ColorOf(std::uint32_t aArgb, float* apRgba) {
    apRgba[0] = static_cast<float>((aArgb >> 16) & 0xFF) / 255.0f;
    apRgba[1] = static_cast<float>((aArgb >> 8) & 0xFF) / 255.0f;
    apRgba[2] = static_cast<float>(aArgb & 0xFF) / 255.0f;
    apRgba[3] = static_cast<float>((aArgb >> 24) & 0xFF) / 255.0f;
}

void Rgba(const VoDeviceColor& aColor, float* apRgba) {
    apRgba[0] = aColor.fR;
    apRgba[1] = aColor.fG;
    apRgba[2] = aColor.fB;
    apRgba[3] = aColor.fA;
}

GLenum CompareGL(std::uint32_t aValue) {
    static constexpr GLenum kTable[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                        GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return kTable[aValue - 1];
}

GLenum StencilOpGL(std::uint32_t aValue) {
    static constexpr GLenum kTable[] = {GL_KEEP, GL_ZERO,   GL_REPLACE,   GL_INCR,
                                        GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};
    return kTable[aValue - 1];
}

GLenum BlendGL(std::uint32_t aValue) {
    switch (aValue) {
        case VoIRenderDevice::kBlendZero:
            return GL_ZERO;
        case VoIRenderDevice::kBlendOne:
            return GL_ONE;
        case VoIRenderDevice::kBlendSrcColor:
            return GL_SRC_COLOR;
        case VoIRenderDevice::kBlendInvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case VoIRenderDevice::kBlendSrcAlpha:
        case VoIRenderDevice::kBlendBothSrcAlpha:
            return GL_SRC_ALPHA;
        case VoIRenderDevice::kBlendInvSrcAlpha:
        case VoIRenderDevice::kBlendBothInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case VoIRenderDevice::kBlendDestAlpha:
            return GL_DST_ALPHA;
        case VoIRenderDevice::kBlendInvDestAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
        case VoIRenderDevice::kBlendDestColor:
            return GL_DST_COLOR;
        case VoIRenderDevice::kBlendInvDestColor:
            return GL_ONE_MINUS_DST_COLOR;
        case VoIRenderDevice::kBlendSrcAlphaSat:
            return GL_SRC_ALPHA_SATURATE;
        case VoIRenderDevice::kBlendBlendFactor:
            return GL_CONSTANT_COLOR;
        case VoIRenderDevice::kBlendInvBlendFactor:
            return GL_ONE_MINUS_CONSTANT_COLOR;
        default:
            return GL_ONE;
    }
}

GLenum PrimitiveGL(VoIRenderDevice::Primitive aType) {
    switch (aType) {
        case VoIRenderDevice::kPointList:
            return GL_POINTS;
        case VoIRenderDevice::kLineList:
            return GL_LINES;
        case VoIRenderDevice::kLineStrip:
            return GL_LINE_STRIP;
        case VoIRenderDevice::kTriangleList:
            return GL_TRIANGLES;
        case VoIRenderDevice::kTriangleStrip:
            return GL_TRIANGLE_STRIP;
        case VoIRenderDevice::kTriangleFan:
            return GL_TRIANGLE_FAN;
    }
    return GL_NONE;
}

GLint CombinerSourceGL(std::uint32_t aArgument) {
    switch (aArgument) {
        case VoIRenderDevice::kArgTexture:
            return GL_TEXTURE;
        case VoIRenderDevice::kArgTextureFactor:
            return GL_CONSTANT;
        default:
            // Diffuse, and on stage 0 the current colour, is the incoming colour.
            return GL_PRIMARY_COLOR;
    }
}

// One half of the stage's combiner: RGB or alpha.
void ApplyCombinerPart(std::uint32_t aOp, std::uint32_t aArg1, std::uint32_t aArg2, bool aAlpha) {
    const GLenum combine = aAlpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum source0 = aAlpha ? GL_SOURCE0_ALPHA : GL_SOURCE0_RGB;
    const GLenum source1 = aAlpha ? GL_SOURCE1_ALPHA : GL_SOURCE1_RGB;
    const GLint operand = aAlpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
    glTexEnvi(GL_TEXTURE_ENV, aAlpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, operand);
    glTexEnvi(GL_TEXTURE_ENV, aAlpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB, operand);
    switch (aOp) {
        case VoIRenderDevice::kOpSelectArg1:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
            glTexEnvi(GL_TEXTURE_ENV, source0, CombinerSourceGL(aArg1));
            break;
        case VoIRenderDevice::kOpSelectArg2:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
            glTexEnvi(GL_TEXTURE_ENV, source0, CombinerSourceGL(aArg2));
            break;
        case VoIRenderDevice::kOpModulate:
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_MODULATE);
            glTexEnvi(GL_TEXTURE_ENV, source0, CombinerSourceGL(aArg1));
            glTexEnvi(GL_TEXTURE_ENV, source1, CombinerSourceGL(aArg2));
            break;
        default:
            // A disabled stage passes the incoming colour on.
            glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
            glTexEnvi(GL_TEXTURE_ENV, source0, GL_PRIMARY_COLOR);
            break;
    }
}

struct FormatGL {
    GLint fInternal;
    GLenum fSource;
    std::uint32_t fBytes;
};

bool FormatOf(std::int32_t aFormat, FormatGL* apOut) {
    switch (aFormat) {
        case 1:
            *apOut = {GL_RGBA8, GL_BGRA, 4};
            return true;
        case 2:
            *apOut = {GL_RGB8, GL_BGRA, 4};
            return true;
        case 3:
            *apOut = {GL_RGB8, GL_BGR, 3};
            return true;
        case 4:
            *apOut = {GL_ALPHA8, GL_ALPHA, 1};
            return true;
        default:
            return false;
    }
}

std::uint32_t LevelSize(std::uint32_t aSize, std::uint32_t aLevel) {
    const std::uint32_t size = aLevel < 32 ? aSize >> aLevel : 0;
    return size == 0 ? 1 : size;
}

std::uint32_t FullChain(std::uint32_t aWidth, std::uint32_t aHeight) {
    std::uint32_t largest = aWidth > aHeight ? aWidth : aHeight;
    std::uint32_t levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

void DrainErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

VoDeviceResult ResultOf(GLenum aError) {
    if (aError == GL_NO_ERROR) {
        return VoDeviceResult::kOk;
    }
    return aError == GL_OUT_OF_MEMORY ? VoDeviceResult::kOutOfMemory : VoDeviceResult::kInvalidCall;
}

template <typename Function>
Function Load(const char* apName) {
    return reinterpret_cast<Function>(SDL_GL_GetProcAddress(apName));
}

}  // namespace

namespace {

// A software driver (Mesa's llvmpipe) records each frame into memory from
// the C heap, tens of megabytes when the state changes from draw to draw (a
// copy of the whole fragment state per change), and frees it at the next
// clear. By default glibc gives the freed top of the heap back to the system
// every frame and faults the pages in again on the next: most of a 2D
// frame's time. The heap keeps them instead: blocks up to 32 MB come from
// it, and up to 256 MB of free space stays at its top.
void KeepDriverFrameMemory() {
#if defined(__GLIBC__)
    static bool sKept = false;
    if (!sKept) {
        sKept = true;
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    }
#endif
}

}  // namespace

VoRenderDeviceGL* VoRenderDeviceGL::Create() {
    if (SDL_GL_GetCurrentContext() == nullptr) {
        VO_ERROR(kNoContext);
        return nullptr;
    }
    KeepDriverFrameMemory();
    VoGLFunctions* functions = VO_NEW VoGLFunctions();
    if (functions == nullptr) {
        VO_ERROR(kAllocationFailure);
        return nullptr;
    }
    functions->StencilFuncSeparate = Load<PFNGLSTENCILFUNCSEPARATEPROC>("glStencilFuncSeparate");
    functions->StencilOpSeparate = Load<PFNGLSTENCILOPSEPARATEPROC>("glStencilOpSeparate");
    functions->BlendColor = Load<PFNGLBLENDCOLORPROC>("glBlendColor");
    functions->ProvokingVertex = Load<PFNGLPROVOKINGVERTEXPROC>("glProvokingVertex");
    if (functions->StencilFuncSeparate == nullptr || functions->StencilOpSeparate == nullptr ||
        functions->BlendColor == nullptr) {
        delete functions;
        VO_ERROR(kMissingFunctions);
        return nullptr;
    }
    VoRenderDeviceGL* device = VO_NEW VoRenderDeviceGL(functions);
    if (device == nullptr) {
        delete functions;
        VO_ERROR(kAllocationFailure);
        return nullptr;
    }
    device->Reapply();
    return device;
}

VoRenderDeviceGL::VoRenderDeviceGL(VoGLFunctions* apFunctions) : fpGL(apFunctions) {
    std::uint32_t* states = fStates;
    states[kZEnable] = 1;
    states[kZWriteEnable] = 1;
    states[kZFunc] = kCmpLessEqual;
    states[kFillMode] = kFillSolid;
    states[kShadeMode] = kShadeGouraud;
    states[kCullMode] = kCullCounterClockwise;
    states[kAlphaBlendEnable] = 0;
    states[kSrcBlend] = kBlendOne;
    states[kDestBlend] = kBlendZero;
    states[kColorWriteEnable] = 15;
    states[kLighting] = 1;
    states[kTextureFactor] = 0xFFFFFFFFu;
    states[kStencilEnable] = 0;
    states[kStencilFunc] = kCmpAlways;
    states[kStencilRef] = 0;
    states[kStencilMask] = 0xFFFFFFFFu;
    states[kStencilFail] = kStencilOpKeep;
    states[kStencilZFail] = kStencilOpKeep;
    states[kStencilPass] = kStencilOpKeep;
    states[kTwoSidedStencilMode] = 0;
    states[kCcwStencilFunc] = kCmpAlways;
    states[kCcwStencilFail] = kStencilOpKeep;
    states[kCcwStencilZFail] = kStencilOpKeep;
    states[kCcwStencilPass] = kStencilOpKeep;

    std::memset(fSampler, 0, sizeof fSampler);
    fSampler[kSamplerAddressU] = kAddressWrap;
    fSampler[kSamplerAddressV] = kAddressWrap;
    fSampler[kSamplerAddressW] = kAddressWrap;
    fSampler[kSamplerMagFilter] = kFilterPoint;
    fSampler[kSamplerMinFilter] = kFilterPoint;
    fSampler[kSamplerMipFilter] = kFilterNone;

    std::memset(fStage, 0, sizeof fStage);
    fStage[kStageColorOp] = kOpModulate;
    fStage[kStageColorArg1] = kArgTexture;
    fStage[kStageColorArg2] = kArgCurrent;
    fStage[kStageAlphaOp] = kOpSelectArg1;
    fStage[kStageAlphaArg1] = kArgTexture;
    fStage[kStageAlphaArg2] = kArgCurrent;

    std::memcpy(fWorld, kIdentity, sizeof fWorld);
    std::memcpy(fView, kIdentity, sizeof fView);
    std::memcpy(fProjection, kIdentity, sizeof fProjection);
    fViewport.fWidth = kTargetWidth;
    fViewport.fHeight = kTargetHeight;

    // A light enabled before it was set is a white directional light shining along +z.
    for (std::uint32_t i = 0; i < kMaxLights; ++i) {
        VoDeviceLight& light = fLights[i];
        light.fType = kLightDirectional;
        light.fDiffuse = {1.0f, 1.0f, 1.0f, 0.0f};
        fLightEnabled[i] = false;
    }
}

VoRenderDeviceGL::~VoRenderDeviceGL() {
    const bool alive = VoGraphicsContextState::IsAlive() && SDL_GL_GetCurrentContext() != nullptr;
    while (fpTextures != nullptr) {
        VoTextureGL* texture = fpTextures;
        Unlink(fpTextures, texture);
        if (alive) {
            glDeleteTextures(1, &texture->fName);
        }
        delete texture;
    }
    while (fpBuffers != nullptr) {
        VoBufferGL* buffer = fpBuffers;
        Unlink(fpBuffers, buffer);
        delete buffer;
    }
    delete[] fpScratch;
    delete fpGL;
}

void VoRenderDeviceGL::Reapply() {
    glFrontFace(GL_CW);
    glDisable(GL_DITHER);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glDisable(GL_NORMALIZE);
    glDisable(GL_SCISSOR_TEST);
    glStencilMask(0xFF);
    const float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    if (fpGL->ProvokingVertex != nullptr) {
        fpGL->ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    }
    fpGL->BlendColor(1.0f, 1.0f, 1.0f, 1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (int state = 0; state < kRenderStateCount; ++state) {
        ApplyRenderState(static_cast<RenderState>(state));
    }
    ApplyCombiner();
    ApplyViewport();
    ApplyProjection();
    ApplyLights();
    glDisable(GL_COLOR_MATERIAL);
    fColorMaterial = false;
    ApplyMaterial();
    if (fpBoundTexture != nullptr) {
        glBindTexture(GL_TEXTURE_2D, fpBoundTexture->fName);
        glEnable(GL_TEXTURE_2D);
        ApplySampler();
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
}

bool VoRenderDeviceGL::IsValidRenderState(RenderState aState, std::uint32_t aValue) {
    switch (aState) {
        case kZEnable:
        case kZWriteEnable:
        case kAlphaBlendEnable:
        case kLighting:
        case kStencilEnable:
        case kTwoSidedStencilMode:
        case kTextureFactor:
        case kStencilRef:
        case kStencilMask:
            return true;
        case kZFunc:
        case kStencilFunc:
        case kCcwStencilFunc:
            return aValue >= kCmpNever && aValue <= kCmpAlways;
        case kFillMode:
            return aValue >= kFillPoint && aValue <= kFillSolid;
        case kShadeMode:
            return aValue == kShadeFlat || aValue == kShadeGouraud;
        case kCullMode:
            return aValue >= kCullNone && aValue <= kCullCounterClockwise;
        case kSrcBlend:
            return aValue >= kBlendZero && aValue <= kBlendInvBlendFactor;
        case kDestBlend:
            // Saturated source alpha is a source factor only.
            return aValue >= kBlendZero && aValue <= kBlendInvBlendFactor && aValue != kBlendSrcAlphaSat;
        case kColorWriteEnable:
            return aValue <= 15;
        case kStencilFail:
        case kStencilZFail:
        case kStencilPass:
        case kCcwStencilFail:
        case kCcwStencilZFail:
        case kCcwStencilPass:
            return aValue >= kStencilOpKeep && aValue <= kStencilOpDecr;
        default:
            return false;
    }
}

bool VoRenderDeviceGL::SetRenderState(RenderState aState, std::uint32_t aValue) {
    if (aState < 0 || aState >= kRenderStateCount || !IsValidRenderState(aState, aValue)) {
        return false;
    }
    fStates[aState] = aValue;
    ApplyRenderState(aState);
    return true;
}

void VoRenderDeviceGL::ApplyRenderState(RenderState aState) {
    const std::uint32_t value = fStates[aState];
    switch (aState) {
        case kZEnable:
            value != 0 ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
            break;
        case kZWriteEnable:
        case kColorWriteEnable:
            ApplyWriteMasks();
            break;
        case kZFunc:
            glDepthFunc(CompareGL(value));
            break;
        case kFillMode:
            glPolygonMode(GL_FRONT_AND_BACK,
                          value == kFillPoint ? GL_POINT : (value == kFillWireframe ? GL_LINE : GL_FILL));
            break;
        case kShadeMode:
            glShadeModel(value == kShadeFlat ? GL_FLAT : GL_SMOOTH);
            break;
        case kCullMode:
            // Front faces are the clockwise ones (glFrontFace(GL_CW)).
            if (value == kCullNone) {
                glDisable(GL_CULL_FACE);
            } else {
                glEnable(GL_CULL_FACE);
                glCullFace(value == kCullClockwise ? GL_FRONT : GL_BACK);
            }
            break;
        case kAlphaBlendEnable:
            value != 0 ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
            break;
        case kSrcBlend:
        case kDestBlend:
            ApplyBlend();
            break;
        case kLighting:
            value != 0 ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
            break;
        case kTextureFactor:
            ApplyTextureFactor();
            break;
        case kStencilEnable:
            value != 0 ? glEnable(GL_STENCIL_TEST) : glDisable(GL_STENCIL_TEST);
            break;
        default:
            ApplyStencil();
            break;
    }
}

void VoRenderDeviceGL::ApplyWriteMasks() {
    const std::uint32_t mask = fStates[kColorWriteEnable];
    glColorMask((mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0);
    glDepthMask(fStates[kZWriteEnable] != 0 ? GL_TRUE : GL_FALSE);
    glStencilMask(0xFF);
}

void VoRenderDeviceGL::ApplyBlend() {
    const std::uint32_t source = fStates[kSrcBlend];
    if (source == kBlendBothSrcAlpha) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else if (source == kBlendBothInvSrcAlpha) {
        glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    } else {
        glBlendFunc(BlendGL(source), BlendGL(fStates[kDestBlend]));
    }
}

void VoRenderDeviceGL::ApplyStencil() {
    // The stencil buffer has 8 bits; the reference keeps the low ones.
    const GLint reference = static_cast<GLint>(fStates[kStencilRef] & 0xFFu);
    const GLuint mask = fStates[kStencilMask];
    const bool twoSided = fStates[kTwoSidedStencilMode] != 0;
    const RenderState backFunc = twoSided ? kCcwStencilFunc : kStencilFunc;
    const RenderState backFail = twoSided ? kCcwStencilFail : kStencilFail;
    const RenderState backZFail = twoSided ? kCcwStencilZFail : kStencilZFail;
    const RenderState backPass = twoSided ? kCcwStencilPass : kStencilPass;
    fpGL->StencilFuncSeparate(GL_FRONT, CompareGL(fStates[kStencilFunc]), reference, mask);
    fpGL->StencilFuncSeparate(GL_BACK, CompareGL(fStates[backFunc]), reference, mask);
    fpGL->StencilOpSeparate(GL_FRONT, StencilOpGL(fStates[kStencilFail]), StencilOpGL(fStates[kStencilZFail]),
                            StencilOpGL(fStates[kStencilPass]));
    fpGL->StencilOpSeparate(GL_BACK, StencilOpGL(fStates[backFail]), StencilOpGL(fStates[backZFail]),
                            StencilOpGL(fStates[backPass]));
}

void VoRenderDeviceGL::ApplyTextureFactor() {
    float color[4];
    ColorOf(fStates[kTextureFactor], color);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, color);
}

void VoRenderDeviceGL::ApplyCombiner() {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    ApplyCombinerPart(fStage[kStageColorOp], fStage[kStageColorArg1], fStage[kStageColorArg2], false);
    ApplyCombinerPart(fStage[kStageAlphaOp], fStage[kStageAlphaArg1], fStage[kStageAlphaArg2], true);
    ApplyTextureFactor();
}

bool VoRenderDeviceGL::SetSamplerState(SamplerState aState, std::uint32_t aValue) {
    switch (aState) {
        case kSamplerAddressU:
        case kSamplerAddressV:
        case kSamplerAddressW:
            if (aValue != kAddressWrap && aValue != kAddressClamp && aValue != kAddressBorder) {
                return false;
            }
            break;
        case kSamplerMagFilter:
        case kSamplerMinFilter:
        case kSamplerMipFilter:
            if (aValue > kFilterLinear) {
                return false;
            }
            break;
        default:
            return false;
    }
    fSampler[aState] = aValue;
    if (fpBoundTexture != nullptr) {
        ApplySampler();
    }
    return true;
}

void VoRenderDeviceGL::ApplySampler() {
    // GL keeps these per texture: the bound texture takes the stage's.
    const bool linearMag = fSampler[kSamplerMagFilter] == kFilterLinear;
    const bool linearMin = fSampler[kSamplerMinFilter] == kFilterLinear;
    GLint minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
    if (fSampler[kSamplerMipFilter] == kFilterPoint) {
        minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    } else if (fSampler[kSamplerMipFilter] == kFilterLinear) {
        minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linearMag ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    const auto wrap = [](std::uint32_t aMode) -> GLint {
        if (aMode == kAddressClamp) {
            return GL_CLAMP_TO_EDGE;
        }
        return aMode == kAddressBorder ? GL_CLAMP_TO_BORDER : GL_REPEAT;
    };
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap(fSampler[kSamplerAddressU]));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap(fSampler[kSamplerAddressV]));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R, wrap(fSampler[kSamplerAddressW]));
}

bool VoRenderDeviceGL::SetTextureStageState(TextureStageState aState, std::uint32_t aValue) {
    switch (aState) {
        case kStageColorOp:
        case kStageAlphaOp:
            if (aValue < kOpDisable || aValue > kOpModulate) {
                return false;
            }
            break;
        case kStageColorArg1:
        case kStageColorArg2:
        case kStageAlphaArg1:
        case kStageAlphaArg2:
            if (aValue > kArgTextureFactor) {
                return false;
            }
            break;
        default:
            return false;
    }
    fStage[aState] = aValue;
    ApplyCombiner();
    return true;
}

bool VoRenderDeviceGL::SetTransform(Transform aTransform, const float* apMatrix) {
    if (apMatrix == nullptr) {
        return false;
    }
    switch (aTransform) {
        case kTransformWorld:
            std::memcpy(fWorld, apMatrix, sizeof fWorld);
            ApplyModelView();
            return true;
        case kTransformView:
            std::memcpy(fView, apMatrix, sizeof fView);
            // GL places lights through the modelview when they are given: a
            // new view places them anew.
            ApplyLights();
            return true;
        case kTransformProjection:
            std::memcpy(fProjection, apMatrix, sizeof fProjection);
            ApplyProjection();
            return true;
    }
    return false;
}

bool VoRenderDeviceGL::GetTransform(Transform aTransform, float* apMatrix) {
    if (apMatrix == nullptr) {
        return false;
    }
    switch (aTransform) {
        case kTransformWorld:
            std::memcpy(apMatrix, fWorld, sizeof fWorld);
            return true;
        case kTransformView:
            std::memcpy(apMatrix, fView, sizeof fView);
            return true;
        case kTransformProjection:
            std::memcpy(apMatrix, fProjection, sizeof fProjection);
            return true;
    }
    return false;
}

void VoRenderDeviceGL::ApplyModelView() {
    float modelView[16];
    Multiply(fWorld, fView, modelView);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView);
}

void VoRenderDeviceGL::ApplyProjection() {
    // Appended for row vectors: x + w / width and y - w / height put pixel
    // centres on whole coordinates (half a pixel left and up), z' = 2z - w
    // stretches depth 0..1 over -1..1.
    const float width = fViewport.fWidth > 0 ? static_cast<float>(fViewport.fWidth) : 1.0f;
    const float height = fViewport.fHeight > 0 ? static_cast<float>(fViewport.fHeight) : 1.0f;
    const float correction[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 1.0f / width, -1.0f / height, -1, 1};
    float projection[16];
    Multiply(fProjection, correction, projection);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
}

bool VoRenderDeviceGL::SetViewport(const VoDeviceViewport& aViewport) {
    const std::uint64_t right = static_cast<std::uint64_t>(aViewport.fX) + aViewport.fWidth;
    const std::uint64_t bottom = static_cast<std::uint64_t>(aViewport.fY) + aViewport.fHeight;
    if (right > kTargetWidth || bottom > kTargetHeight || !(aViewport.fMinZ >= 0.0f) ||
        !(aViewport.fMaxZ <= 1.0f) || !(aViewport.fMinZ <= aViewport.fMaxZ)) {
        return false;
    }
    fViewport = aViewport;
    ApplyViewport();
    ApplyProjection();
    return true;
}

bool VoRenderDeviceGL::GetViewport(VoDeviceViewport* apViewport) {
    if (apViewport == nullptr) {
        return false;
    }
    *apViewport = fViewport;
    return true;
}

void VoRenderDeviceGL::ApplyViewport() {
    // GL counts rows from the bottom.
    const GLint y = static_cast<GLint>(kTargetHeight - fViewport.fY - fViewport.fHeight);
    glViewport(static_cast<GLint>(fViewport.fX), y, static_cast<GLsizei>(fViewport.fWidth),
               static_cast<GLsizei>(fViewport.fHeight));
    glScissor(static_cast<GLint>(fViewport.fX), y, static_cast<GLsizei>(fViewport.fWidth),
              static_cast<GLsizei>(fViewport.fHeight));
    glDepthRange(fViewport.fMinZ, fViewport.fMaxZ);
}

bool VoRenderDeviceGL::Clear(std::uint32_t aFlags, std::uint32_t aColor, float aZ, std::uint32_t aStencil) {
    if ((aFlags & ~static_cast<std::uint32_t>(kClearTarget | kClearZBuffer | kClearStencil)) != 0) {
        return false;
    }
    GLbitfield bits = 0;
    if ((aFlags & kClearTarget) != 0) {
        float color[4];
        ColorOf(aColor, color);
        glClearColor(color[0], color[1], color[2], color[3]);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if ((aFlags & kClearZBuffer) != 0) {
        glClearDepth(Clamp(aZ, 0.0f, 1.0f));
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if ((aFlags & kClearStencil) != 0) {
        glClearStencil(static_cast<GLint>(aStencil & 0xFFu));
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    if (bits == 0) {
        return true;
    }
    // A clear fills the viewport's rectangle, whatever the write masks say.
    glEnable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glClear(bits);
    ApplyWriteMasks();
    glDisable(GL_SCISSOR_TEST);
    return true;
}

bool VoRenderDeviceGL::SetLight(std::uint32_t aIndex, const VoDeviceLight& aLight) {
    if (aIndex >= kMaxLights || aLight.fType < kLightPoint || aLight.fType > kLightDirectional) {
        return false;
    }
    fLights[aIndex] = aLight;
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(fView);
    ApplyLight(aIndex);
    ApplyModelView();
    return true;
}

bool VoRenderDeviceGL::LightEnable(std::uint32_t aIndex, bool aEnable) {
    if (aIndex >= kMaxLights) {
        return false;
    }
    fLightEnabled[aIndex] = aEnable;
    const GLenum light = GL_LIGHT0 + aIndex;
    aEnable ? glEnable(light) : glDisable(light);
    return true;
}

void VoRenderDeviceGL::ApplyLights() {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(fView);
    for (std::uint32_t i = 0; i < kMaxLights; ++i) {
        ApplyLight(i);
    }
    ApplyModelView();
}

void VoRenderDeviceGL::ApplyLight(std::uint32_t aIndex) {
    const VoDeviceLight& light = fLights[aIndex];
    const GLenum id = GL_LIGHT0 + aIndex;
    float color[4];
    Rgba(light.fDiffuse, color);
    glLightfv(id, GL_DIFFUSE, color);
    Rgba(light.fSpecular, color);
    glLightfv(id, GL_SPECULAR, color);
    Rgba(light.fAmbient, color);
    glLightfv(id, GL_AMBIENT, color);
    if (light.fType == kLightDirectional) {
        // GL names the direction towards the light.
        const float position[4] = {-light.fDirection[0], -light.fDirection[1], -light.fDirection[2], 0.0f};
        glLightfv(id, GL_POSITION, position);
        glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
        glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
        glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
    } else {
        const float position[4] = {light.fPosition[0], light.fPosition[1], light.fPosition[2], 1.0f};
        glLightfv(id, GL_POSITION, position);
        const float large = std::numeric_limits<float>::max();
        glLightf(id, GL_CONSTANT_ATTENUATION, Clamp(light.fAttenuation0, 0.0f, large));
        glLightf(id, GL_LINEAR_ATTENUATION, Clamp(light.fAttenuation1, 0.0f, large));
        glLightf(id, GL_QUADRATIC_ATTENUATION, Clamp(light.fAttenuation2, 0.0f, large));
    }
    if (light.fType == kLightSpot) {
        glLightfv(id, GL_SPOT_DIRECTION, light.fDirection);
        // GL has one cone, a half angle, and a power law for the fall-off.
        glLightf(id, GL_SPOT_CUTOFF, Clamp(light.fPhi * 0.5f * kRadiansToDegrees, 0.0f, 90.0f));
        glLightf(id, GL_SPOT_EXPONENT, Clamp(light.fFalloff, 0.0f, 128.0f));
    } else {
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        glLightf(id, GL_SPOT_EXPONENT, 0.0f);
    }
    fLightEnabled[aIndex] ? glEnable(id) : glDisable(id);
}

bool VoRenderDeviceGL::SetMaterial(const VoDeviceMaterial& aMaterial) {
    fMaterial = aMaterial;
    ApplyMaterial();
    return true;
}

void VoRenderDeviceGL::ApplyMaterial() {
    float color[4];
    Rgba(fMaterial.fDiffuse, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color);
    Rgba(fMaterial.fAmbient, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, color);
    Rgba(fMaterial.fEmissive, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, color);
    // Specular highlights are off in this pipeline: no specular reflection.
    const float black[4] = {0.0f, 0.0f, 0.0f, fMaterial.fSpecular.fA};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, Clamp(fMaterial.fPower, 0.0f, 128.0f));
}

void VoRenderDeviceGL::ApplyColorSource(bool aVertexColors) {
    if (aVertexColors) {
        if (!fColorMaterial) {
            glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
            glEnable(GL_COLOR_MATERIAL);
            fColorMaterial = true;
        }
        return;
    }
    if (fColorMaterial) {
        // Tracking left the last vertex colour in the diffuse material.
        glDisable(GL_COLOR_MATERIAL);
        fColorMaterial = false;
        ApplyMaterial();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

VoTextureGL* VoRenderDeviceGL::Own(VoDeviceTexture* apTexture) const {
    VoTextureGL* texture = dynamic_cast<VoTextureGL*>(apTexture);
    return texture != nullptr && texture->fpOwner == this ? texture : nullptr;
}

VoBufferGL* VoRenderDeviceGL::Own(VoDeviceBuffer* apBuffer) const {
    VoBufferGL* buffer = dynamic_cast<VoBufferGL*>(apBuffer);
    return buffer != nullptr && buffer->fpOwner == this ? buffer : nullptr;
}

unsigned char* VoRenderDeviceGL::Scratch(std::uint64_t aBytes) {
    if (aBytes <= fScratchSize) {
        return fpScratch;
    }
    if (aBytes > std::numeric_limits<std::size_t>::max() / 2) {
        return nullptr;
    }
    delete[] fpScratch;
    fpScratch = VO_NEW unsigned char[static_cast<std::size_t>(aBytes)];
    fScratchSize = fpScratch != nullptr ? aBytes : 0;
    return fpScratch;
}

VoDeviceResult VoRenderDeviceGL::CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight,
                                               std::uint32_t aLevels, std::int32_t aFormat,
                                               VoDeviceTexture** appTexture) {
    FormatGL format;
    if (appTexture == nullptr || !FormatOf(aFormat, &format) || aWidth == 0 || aHeight == 0 || aLevels == 0) {
        return VoDeviceResult::kInvalidCall;
    }
    *appTexture = nullptr;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest <= 0 || aWidth > static_cast<std::uint32_t>(largest) ||
        aHeight > static_cast<std::uint32_t>(largest)) {
        return VoDeviceResult::kNotAvailable;
    }
    if (aLevels > FullChain(aWidth, aHeight)) {
        return VoDeviceResult::kInvalidCall;
    }
    VoTextureGL* texture = VO_NEW VoTextureGL();
    if (texture == nullptr) {
        return VoDeviceResult::kOutOfMemory;
    }
    texture->fpOwner = this;
    texture->fWidth = aWidth;
    texture->fHeight = aHeight;
    texture->fLevels = aLevels;
    texture->fFormat = aFormat;
    DrainErrors();
    glGenTextures(1, &texture->fName);
    glBindTexture(GL_TEXTURE_2D, texture->fName);
    for (std::uint32_t level = 0; level < aLevels; ++level) {
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format.fInternal,
                     static_cast<GLsizei>(LevelSize(aWidth, level)),
                     static_cast<GLsizei>(LevelSize(aHeight, level)), 0, format.fSource, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    // Only the levels made: a texture without its full chain stays complete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(aLevels - 1));
    const GLenum error = glGetError();
    glBindTexture(GL_TEXTURE_2D, fpBoundTexture != nullptr ? fpBoundTexture->fName : 0);
    if (error != GL_NO_ERROR) {
        glDeleteTextures(1, &texture->fName);
        delete texture;
        return error == GL_OUT_OF_MEMORY ? VoDeviceResult::kOutOfMemory : VoDeviceResult::kNotAvailable;
    }
    Link(fpTextures, texture);
    *appTexture = texture;
    return VoDeviceResult::kOk;
}

VoDeviceResult VoRenderDeviceGL::UploadTextureLevel(VoDeviceTexture* apTexture, std::uint32_t aLevel,
                                                    const unsigned char* apPixels, std::int32_t aPitch) {
    VoTextureGL* texture = Own(apTexture);
    FormatGL format;
    if (texture == nullptr || apPixels == nullptr || aLevel >= texture->fLevels ||
        !FormatOf(texture->fFormat, &format)) {
        return VoDeviceResult::kInvalidCall;
    }
    const std::uint32_t width = LevelSize(texture->fWidth, aLevel);
    const std::uint32_t height = LevelSize(texture->fHeight, aLevel);
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * format.fBytes;
    if (aPitch < 0 || static_cast<std::uint64_t>(aPitch) < rowBytes) {
        return VoDeviceResult::kInvalidCall;
    }
    const unsigned char* pixels = apPixels;
    GLint rowLength = static_cast<GLint>(static_cast<std::uint32_t>(aPitch) / format.fBytes);
    if (static_cast<std::uint32_t>(aPitch) % format.fBytes != 0) {
        // GL steps rows in whole pixels: repack the rows tightly.
        unsigned char* packed = Scratch(rowBytes * height);
        if (packed == nullptr) {
            return VoDeviceResult::kOutOfMemory;
        }
        for (std::uint32_t row = 0; row < height; ++row) {
            std::memcpy(packed + row * rowBytes, apPixels + static_cast<std::uint64_t>(row) * aPitch,
                        static_cast<std::size_t>(rowBytes));
        }
        pixels = packed;
        rowLength = 0;
    }
    DrainErrors();
    glBindTexture(GL_TEXTURE_2D, texture->fName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(aLevel), 0, 0, static_cast<GLsizei>(width),
                    static_cast<GLsizei>(height), format.fSource, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    const GLenum error = glGetError();
    glBindTexture(GL_TEXTURE_2D, fpBoundTexture != nullptr ? fpBoundTexture->fName : 0);
    return ResultOf(error);
}

void VoRenderDeviceGL::ReleaseTexture(VoDeviceTexture* apTexture) {
    VoTextureGL* texture = Own(apTexture);
    if (texture == nullptr) {
        return;
    }
    if (texture == fpBoundTexture) {
        fpBoundTexture = nullptr;
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
    glDeleteTextures(1, &texture->fName);
    Unlink(fpTextures, texture);
    delete texture;
}

bool VoRenderDeviceGL::SetTexturePriority(VoDeviceTexture* apTexture, std::uint32_t aPriority) {
    VoTextureGL* texture = Own(apTexture);
    if (texture == nullptr) {
        return false;
    }
    const GLclampf priority = Clamp(static_cast<float>(aPriority) / 1000.0f, 0.0f, 1.0f);
    glPrioritizeTextures(1, &texture->fName, &priority);
    return true;
}

bool VoRenderDeviceGL::SetTexture(VoDeviceTexture* apTexture) {
    if (apTexture == nullptr) {
        fpBoundTexture = nullptr;
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        return true;
    }
    VoTextureGL* texture = Own(apTexture);
    if (texture == nullptr) {
        return false;
    }
    fpBoundTexture = texture;
    glBindTexture(GL_TEXTURE_2D, texture->fName);
    glEnable(GL_TEXTURE_2D);
    ApplySampler();
    return true;
}

VoDeviceBuffer* VoRenderDeviceGL::CreateVertexBuffer(std::uint32_t aBytes) {
    VoBufferGL* buffer = VO_NEW VoBufferGL();
    if (buffer == nullptr) {
        return nullptr;
    }
    buffer->fpOwner = this;
    buffer->fpData = VO_NEW unsigned char[aBytes > 0 ? aBytes : 1];
    if (buffer->fpData == nullptr) {
        delete buffer;
        return nullptr;
    }
    buffer->fCapacity = aBytes;
    Link(fpBuffers, buffer);
    return buffer;
}

VoDeviceBuffer* VoRenderDeviceGL::CreateIndexBuffer(std::uint32_t aBytes, IndexFormat aFormat) {
    if (aFormat != kIndex16 && aFormat != kIndex32) {
        return nullptr;
    }
    VoBufferGL* buffer = static_cast<VoBufferGL*>(CreateVertexBuffer(aBytes));
    if (buffer != nullptr) {
        buffer->fIndex = true;
        buffer->fFormat = aFormat;
    }
    return buffer;
}

bool VoRenderDeviceGL::WriteBuffer(VoDeviceBuffer* apBuffer, const void* apData, std::uint32_t aBytes) {
    VoBufferGL* buffer = Own(apBuffer);
    if (buffer == nullptr || (aBytes > 0 && apData == nullptr)) {
        return false;
    }
    if (aBytes > buffer->fCapacity) {
        unsigned char* grown = VO_NEW unsigned char[aBytes];
        if (grown == nullptr) {
            return false;
        }
        delete[] buffer->fpData;
        buffer->fpData = grown;
        buffer->fCapacity = aBytes;
    }
    if (aBytes > 0) {
        std::memcpy(buffer->fpData, apData, aBytes);
    }
    buffer->fSize = aBytes;
    buffer->fColorsValid = false;
    return true;
}

void VoRenderDeviceGL::ReleaseBuffer(VoDeviceBuffer* apBuffer) {
    VoBufferGL* buffer = Own(apBuffer);
    if (buffer == nullptr) {
        return;
    }
    if (buffer == fpStream) {
        fpStream = nullptr;
    }
    if (buffer == fpIndices) {
        fpIndices = nullptr;
    }
    Unlink(fpBuffers, buffer);
    delete buffer;
}

bool VoRenderDeviceGL::SetStreamSource(VoDeviceBuffer* apBuffer, std::uint32_t aStride) {
    if (apBuffer == nullptr) {
        fpStream = nullptr;
        fStride = 0;
        return true;
    }
    VoBufferGL* buffer = Own(apBuffer);
    if (buffer == nullptr || buffer->fIndex) {
        return false;
    }
    fpStream = buffer;
    fStride = aStride;
    return true;
}

bool VoRenderDeviceGL::SetVertexDeclaration(const VoVertexDeclaration& aDeclaration) {
    for (std::int32_t offset :
         {aDeclaration.fNormalOffset, aDeclaration.fColorOffset, aDeclaration.fTexCoordOffset}) {
        if (offset != -1 && (offset < 12 || offset % 4 != 0)) {
            return false;
        }
    }
    fDeclaration = aDeclaration;
    return true;
}

bool VoRenderDeviceGL::SetIndices(VoDeviceBuffer* apBuffer) {
    if (apBuffer == nullptr) {
        fpIndices = nullptr;
        return true;
    }
    VoBufferGL* buffer = Own(apBuffer);
    if (buffer == nullptr || !buffer->fIndex) {
        return false;
    }
    fpIndices = buffer;
    return true;
}

bool VoRenderDeviceGL::PrepareArrays(std::uint64_t* apVertexCount) {
    if (fpStream == nullptr || fStride == 0) {
        return false;
    }
    const VoVertexDeclaration& declaration = fDeclaration;
    std::uint64_t needed = 12;
    if (declaration.fNormalOffset >= 0 &&
        static_cast<std::uint64_t>(declaration.fNormalOffset) + 12 > needed) {
        needed = static_cast<std::uint64_t>(declaration.fNormalOffset) + 12;
    }
    if (declaration.fColorOffset >= 0 && static_cast<std::uint64_t>(declaration.fColorOffset) + 16 > needed) {
        needed = static_cast<std::uint64_t>(declaration.fColorOffset) + 16;
    }
    if (declaration.fTexCoordOffset >= 0 &&
        static_cast<std::uint64_t>(declaration.fTexCoordOffset) + 8 > needed) {
        needed = static_cast<std::uint64_t>(declaration.fTexCoordOffset) + 8;
    }
    if (needed > fStride) {
        return false;
    }
    VoBufferGL* stream = fpStream;
    const std::uint64_t count = stream->fSize / fStride;
    const GLsizei stride = static_cast<GLsizei>(fStride);
    const unsigned char* data = stream->fpData;

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, data);
    if (declaration.fNormalOffset >= 0) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, data + declaration.fNormalOffset);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0.0f, 0.0f, 0.0f);
    }
    if (declaration.fTexCoordOffset >= 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, data + declaration.fTexCoordOffset);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoord2f(0.0f, 0.0f);
    }
    if (declaration.fColorOffset >= 0) {
        if (!stream->fColorsValid || stream->fColorsOffset != declaration.fColorOffset ||
            stream->fColorsStride != fStride) {
            const std::uint64_t floats = count * 4;
            if (floats > stream->fColorCapacity) {
                if (floats > std::numeric_limits<std::size_t>::max() / sizeof(float)) {
                    return false;
                }
                float* grown = VO_NEW float[static_cast<std::size_t>(floats)];
                if (grown == nullptr) {
                    return false;
                }
                delete[] stream->fpColors;
                stream->fpColors = grown;
                stream->fColorCapacity = floats;
            }
            for (std::uint64_t vertex = 0; vertex < count; ++vertex) {
                float argb[4];
                std::memcpy(argb, data + vertex * fStride + declaration.fColorOffset, sizeof argb);
                float* rgba = stream->fpColors + vertex * 4;
                rgba[0] = argb[1];
                rgba[1] = argb[2];
                rgba[2] = argb[3];
                rgba[3] = argb[0];
            }
            stream->fColorsValid = true;
            stream->fColorsOffset = declaration.fColorOffset;
            stream->fColorsStride = fStride;
        }
        ApplyColorSource(true);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, stream->fpColors);
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        ApplyColorSource(false);
    }
    *apVertexCount = count;
    return true;
}

bool VoRenderDeviceGL::DrawPrimitive(Primitive aType, std::uint32_t aStartVertex,
                                     std::uint32_t aPrimitiveCount) {
    const GLenum mode = PrimitiveGL(aType);
    if (mode == GL_NONE) {
        return false;
    }
    const std::uint64_t vertices = VoPrimitiveVertexCount(aType, aPrimitiveCount);
    if (vertices == 0) {
        return true;
    }
    std::uint64_t available = 0;
    if (!PrepareArrays(&available) || aStartVertex + vertices > available) {
        VO_ERROR(kDrawRange);
        return false;
    }
    glDrawArrays(mode, static_cast<GLint>(aStartVertex), static_cast<GLsizei>(vertices));
    return true;
}

bool VoRenderDeviceGL::DrawIndexedPrimitive(Primitive aType, std::int32_t aBaseVertex, std::uint32_t,
                                            std::uint32_t, std::uint32_t aStartIndex,
                                            std::uint32_t aPrimitiveCount) {
    const GLenum mode = PrimitiveGL(aType);
    if (mode == GL_NONE) {
        return false;
    }
    const std::uint64_t count = VoPrimitiveVertexCount(aType, aPrimitiveCount);
    if (count == 0) {
        return true;
    }
    std::uint64_t available = 0;
    if (fpIndices == nullptr || !PrepareArrays(&available)) {
        VO_ERROR(kDrawRange);
        return false;
    }
    const std::uint32_t width = fpIndices->fFormat == kIndex16 ? 2 : 4;
    const std::uint64_t indexCount = fpIndices->fSize / width;
    if (aStartIndex + count > indexCount) {
        VO_ERROR(kDrawRange);
        return false;
    }
    const unsigned char* indices = fpIndices->fpData + static_cast<std::uint64_t>(aStartIndex) * width;
    const auto indexAt = [indices, width](std::uint64_t aIndex) -> std::uint32_t {
        if (width == 2) {
            std::uint16_t value;
            std::memcpy(&value, indices + aIndex * 2, 2);
            return value;
        }
        std::uint32_t value;
        std::memcpy(&value, indices + aIndex * 4, 4);
        return value;
    };
    std::uint32_t lowest = 0xFFFFFFFFu;
    std::uint32_t highest = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t index = indexAt(i);
        lowest = index < lowest ? index : lowest;
        highest = index > highest ? index : highest;
    }
    const std::int64_t first = static_cast<std::int64_t>(lowest) + aBaseVertex;
    const std::int64_t last = static_cast<std::int64_t>(highest) + aBaseVertex;
    if (first < 0 || last >= static_cast<std::int64_t>(available)) {
        VO_ERROR(kDrawRange);
        return false;
    }
    if (aBaseVertex == 0) {
        glDrawElements(mode, static_cast<GLsizei>(count), width == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                       indices);
        return true;
    }
    // GL 2.1 has no base vertex: the indices are moved by it instead.
    unsigned char* moved = Scratch(count * 4);
    if (moved == nullptr) {
        return false;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t index =
            static_cast<std::uint32_t>(static_cast<std::int64_t>(indexAt(i)) + aBaseVertex);
        std::memcpy(moved + i * 4, &index, 4);
    }
    glDrawElements(mode, static_cast<GLsizei>(count), GL_UNSIGNED_INT, moved);
    return true;
}

std::uint32_t VoRenderDeviceGL::GetMaxVertexIndex() {
    // 32-bit indices are part of every GL.
    return 0xFFFFFFFFu;
}
