#pragma once
// A rasterizer that draws nothing and writes down every call it gets, in
// order, with its arguments: what the 2D renderer, sprites, shapes and fonts
// are tested against. RecordingEngine makes it the engine's rasterizer
// (VoIRasterizer::Get) and RecordingTexture the "texture" objects.
//
//     RecordingEngine engine;
//     VoRenderer* renderer = VoRenderer::GetInstance();  // sets its view up
//     RecordingRasterizer* raster = engine.Rasterizer();
//     raster->ClearCalls();
//     renderer->BeginRender();
//     EXPECT_EQ(raster->Texts()[0], "SetFillMode(2)");
//     raster->SetResult("SetLighting", false);  // from now on that call fails
//
// The start-up creators are registered after the recorders and are refused
// their "rasterizer" and "texture" ids (the registry logs the duplicates);
// start a LogCapture after the engine.
//
// Each call's Text() is its name and arguments: numbers as %g ("0.5",
// "800"), booleans as 1 and 0, engine enumerations by value, pointers as a
// word ("SetTexture(texture 1x1)", "SetTexture(handle 7)", "null"), a
// vertex buffer as its format and vertex count ("SetVertexBuffer(1, 5)").
// The two SetViewport forms tell apart by their counts of arguments (seven
// for the span form). Matrices, vertices and texels are kept
// beside the text, copied at the time of the call: the objects passed may be
// gone by the time the test looks.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ScopedEngine.h"
#include "geometry/VoMatrix.h"
#include "render/VoIRasterizer.h"
#include "render/VoITexture.h"

struct RasterizerCall {
    std::string name;
    std::vector<double> arguments;  // the numeric arguments, in order
    std::string text;               // name(arguments)

    bool hasMatrix = false;  // SetTransform with a matrix, GetTransform
    VoMatrix matrix;

    std::int32_t vertexFormat = 0;  // SetVertexBuffer: the buffer's format, count and floats
    std::int32_t vertexCount = 0;
    std::vector<float> vertices;

    const void* object = nullptr;    // the pointer passed (texture, buffer, light, material); may be gone
    std::uint32_t textureWidth = 0;  // SetTexture with a texture: its size
    std::uint32_t textureHeight = 0;
    std::vector<unsigned char> texels;  // and, for a RecordingTexture, its pixel bytes

    const std::string& Text() const { return text; }
};

class RecordingRasterizer : public VoIRasterizer {
public:
    RecordingRasterizer();
    ~RecordingRasterizer() override;

    // Every call so far, oldest first.
    const std::vector<RasterizerCall>& Calls() const { return fCalls; }
    std::vector<std::string> Texts() const;
    std::vector<std::string> Names() const;
    // The texts of the calls with that name.
    std::vector<std::string> Texts(const std::string& aName) const;
    int Count(const std::string& aName) const;
    // The latest call with that name; null when there is none.
    const RasterizerCall* Last(const std::string& aName) const;
    // Forgets the calls so far (the state that Get* answers from stays).
    void ClearCalls() { fCalls.clear(); }

    // Calls with that name return aResult from now on (true by default).
    void SetResult(const std::string& aName, bool aResult) { fResults[aName] = aResult; }

    // The recorder that the engine made, when it is one.
    static RecordingRasterizer* Engine();

    bool Clear() override;
    bool ClearStencil() override;
    bool ResetTexture() override;
    bool DrawIndexedPrimitive() override;
    bool DrawIndexed(PrimitiveType aType, std::uint32_t aPrimitiveCount, std::uint32_t aVertexCount,
                     std::uint32_t aStartIndex, std::int32_t aBaseVertexIndex) override;
    bool DrawPrimitive() override;
    bool Draw(PrimitiveType aType, std::uint32_t aStartVertex, std::uint32_t aPrimitiveCount) override;
    // The last integer viewport set (0, 0, 800, 600, 0, 1 before any).
    bool GetViewport(std::uint32_t* apX, std::uint32_t* apY, std::uint32_t* apWidth, std::uint32_t* apHeight,
                     float* apMinZ, float* apMaxZ) override;
    // The last matrix set for the kind (identity before any).
    bool GetTransform(TransformKind aKind, VoMatrix* apMatrix) override;
    bool SetTextureFactor(float aAlpha) override;
    bool SetAlphaBlending(bool aEnable) override;
    bool SetBlendFunction(BlendFactor aSource, BlendFactor aDestination) override;
    bool SetColorValues(float aA, float aR, float aG, float aB) override;
    bool SetClipRect(std::uint32_t aArgument) override;
    bool SetColor(const VoColor& aColor) override;
    bool SetColorWrite(bool aEnable) override;
    bool SetCullMode(CullMode aMode) override;
    bool SetDepthEnable(bool aEnable) override;
    bool SetDepthWrite(bool aEnable) override;
    bool SetFillMode(FillMode aMode) override;
    bool SetViewport(std::uint32_t aIgnored, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                     float aMaxZ) override;
    bool SetIndexBuffer(VoIndexBuffer* apBuffer) override;
    bool SetLight(std::uint32_t aIndex, VoLight* apLight) override;
    bool EnableLight(std::uint32_t aIndex, bool aEnable) override;
    bool SetLighting(bool aEnable) override;
    bool SetLineWidth(float aWidth) override;
    bool SetMaterial(VoMaterial* apMaterial) override;
    bool SetShadeMode(ShadeMode aMode) override;
    bool SetStencilEnable(bool aEnable) override;
    bool SetStencilFunction(CompareFunction aFunction, bool aIgnored, std::uint32_t aReference,
                            std::uint32_t aMask) override;
    bool SetStencilFunctionCCW(CompareFunction aFunction, bool aTwoSided, std::uint32_t aReference,
                               std::uint32_t aMask) override;
    bool SetStencilFail(StencilOperation aOperation) override;
    bool SetStencilFailCCW(StencilOperation aOperation) override;
    bool SetStencilPass(StencilOperation aOperation) override;
    bool SetStencilPassCCW(StencilOperation aOperation) override;
    bool SetStencilZFail(StencilOperation aOperation) override;
    bool SetStencilZFailCCW(StencilOperation aOperation) override;
    bool SetTexture(VoITexture* apTexture) override;
    bool SetTexture(std::uint32_t aHandle) override;
    bool SetTextureFilter(TextureFilterKind aKind, TextureFilterMode aMode) override;
    bool SetTextureUnit(std::uint32_t aUnit) override;
    bool SetTextureAddress(TextureAxis aAxis, TextureAddressMode aMode) override;
    bool SetTransform(TransformKind aKind, const VoMatrix* apMatrix) override;
    bool SetVertexBuffer(VoVertexBuffer* apBuffer) override;
    bool SetViewport(std::uint32_t aX, std::uint32_t aY, std::uint32_t aWidth, std::uint32_t aHeight,
                     float aMinZ, float aMaxZ) override;
    bool EnableDepthBuffer(bool aEnable) override;
    bool EnableDepthWrite(bool aEnable) override;

    VoString ToString() const override;

private:
    // Appends the call and answers its configured result.
    bool Record(RasterizerCall aCall);
    static RasterizerCall Call(const char* apName, std::vector<double> aArguments);
    static RasterizerCall Call(const char* apName, std::vector<double> aArguments, const std::string& aWord);

    std::vector<RasterizerCall> fCalls;
    std::map<std::string, bool> fResults;
    std::uint32_t fViewport[4] = {0, 0, 800, 600};
    float fDepthRange[2] = {0.0f, 1.0f};
    VoMatrix fTransforms[3];
};

// A texture that keeps what it was made from instead of a device texture.
class RecordingTexture : public VoITexture {
public:
    RecordingTexture();
    ~RecordingTexture() override;

    // Copies the picture's size, format and bytes; false for null or an empty image.
    bool CreateTexture(VoImage* apImage) override;
    bool CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::int32_t aFormat) override;
    bool SetPriority(float aPriority) override;
    // Copies the rows into the texels; false before creation, for null or
    // while refusing.
    bool UpdateTexture(const std::uint8_t* apPixels, std::uint32_t aPitch) override;
    void RefuseUpdates(bool aRefuse) { fRefuseUpdates = aRefuse; }

    std::int32_t GetFormat() const { return fFormat; }
    // How many UpdateTexture calls succeeded.
    int GetUpdateCount() const { return fUpdates; }
    const std::vector<unsigned char>& GetTexels() const { return fTexels; }
    // How many recording textures exist now.
    static int LiveCount();

    VoString ToString() const override;

private:
    std::int32_t fFormat = 0;
    std::vector<unsigned char> fTexels;
    int fUpdates = 0;
    bool fRefuseUpdates = false;
};

// A new engine (as ScopedEngine) whose "rasterizer" creator makes a
// RecordingRasterizer and whose "texture" creator makes RecordingTextures;
// they are registered before the start-up creators, which keep the rest.
class RecordingEngine : public ScopedEngine {
public:
    RecordingEngine();
    // The engine's rasterizer (made now if need be); null after ShutDown.
    RecordingRasterizer* Rasterizer() const;
    // Registers the two recorders' creators: for test engines that register
    // creators of their own besides (ScopedEngine's registering form).
    static void RegisterRecorders();
};
