#include "RecordedScreen.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "RecordingRasterizer.h"
#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "render/VoIRasterizer.h"
#include "render/VoTextureManager.h"

namespace {

// The point's row vector times the matrix, w included.
void Apply(const VoMatrix& aMatrix, const float aIn[4], float aOut[4]) {
    for (int column = 0; column < 4; ++column) {
        aOut[column] = aIn[0] * aMatrix.m[0][column] + aIn[1] * aMatrix.m[1][column] +
                       aIn[2] * aMatrix.m[2][column] + aIn[3] * aMatrix.m[3][column];
    }
}

VoMatrix Identity() {
    VoMatrix identity;
    MatrixIdentity(&identity);
    return identity;
}

// The edge function of the point against the edge a -> b.
float Edge(const ScreenDraw::Vertex& aA, const ScreenDraw::Vertex& aB, float aX, float aY) {
    return (aB.x - aA.x) * (aY - aA.y) - (aB.y - aA.y) * (aX - aA.x);
}

int Floor(float aValue) {
    return static_cast<int>(std::floor(aValue));
}

class Painter {
public:
    Painter(ScreenPatch* apPatch, const ScreenDraw& aDraw) : fPatch(*apPatch), fDraw(aDraw) {
        fArea = fPatch.box.Intersect(aDraw.clip);
    }

    void Triangle(const ScreenDraw::Vertex& aA, const ScreenDraw::Vertex& aB, const ScreenDraw::Vertex& aC) {
        const float area = Edge(aA, aB, aC.x, aC.y);
        if (area == 0.0f) {
            return;
        }
        ScreenBox box;
        box.x0 = Floor(std::min({aA.x, aB.x, aC.x}));
        box.y0 = Floor(std::min({aA.y, aB.y, aC.y}));
        box.x1 = Floor(std::max({aA.x, aB.x, aC.x})) + 2;
        box.y1 = Floor(std::max({aA.y, aB.y, aC.y})) + 2;
        box = box.Intersect(fArea);
        for (int y = box.y0; y < box.y1; ++y) {
            for (int x = box.x0; x < box.x1; ++x) {
                // A hair off the centre, so a pixel on the shared edge of two
                // triangles goes to exactly one of them.
                const float px = static_cast<float>(x) + 1.0f / 64.0f;
                const float py = static_cast<float>(y) + 1.0f / 128.0f;
                const float wa = Edge(aB, aC, px, py) / area;
                const float wb = Edge(aC, aA, px, py) / area;
                const float wc = Edge(aA, aB, px, py) / area;
                if (wa < 0.0f || wb < 0.0f || wc < 0.0f) {
                    continue;
                }
                Blend(x, y, wa * aA.u + wb * aB.u + wc * aC.u, wa * aA.v + wb * aB.v + wc * aC.v);
            }
        }
    }

    void Line(const ScreenDraw::Vertex& aA, const ScreenDraw::Vertex& aB) {
        const float steps = std::max({std::fabs(aB.x - aA.x), std::fabs(aB.y - aA.y), 1.0f});
        const int count = static_cast<int>(std::ceil(steps));
        for (int i = 0; i <= count; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(count);
            const int x = static_cast<int>(std::lround(aA.x + (aB.x - aA.x) * t));
            const int y = static_cast<int>(std::lround(aA.y + (aB.y - aA.y) * t));
            if (fArea.Contains(x, y)) {
                Blend(x, y, aA.u, aA.v);
            }
        }
    }

private:
    void Blend(int aX, int aY, float aU, float aV) {
        const ScreenTexels& texels = *fDraw.texels;
        ScreenColour colour;
        float alpha = 0.0f;
        texels.At(Floor(aU * static_cast<float>(texels.width)), Floor(aV * static_cast<float>(texels.height)),
                  &colour, &alpha);
        alpha *= fDraw.factor;
        if (alpha <= 0.0f) {
            return;
        }
        const std::size_t at = static_cast<std::size_t>(aY - fPatch.box.y0) *
                                   static_cast<std::size_t>(fPatch.box.x1 - fPatch.box.x0) +
                               static_cast<std::size_t>(aX - fPatch.box.x0);
        ScreenColour& out = fPatch.colours[at];
        out.r = colour.r * alpha + out.r * (1.0f - alpha);
        out.g = colour.g * alpha + out.g * (1.0f - alpha);
        out.b = colour.b * alpha + out.b * (1.0f - alpha);
        fPatch.cover[at] = alpha + fPatch.cover[at] * (1.0f - alpha);
    }

    ScreenPatch& fPatch;
    const ScreenDraw& fDraw;
    ScreenBox fArea;
};

}  // namespace

ScreenBox ScreenBox::Intersect(const ScreenBox& aOther) const {
    ScreenBox box{std::max(x0, aOther.x0), std::max(y0, aOther.y0), std::min(x1, aOther.x1),
                  std::min(y1, aOther.y1)};
    if (box.IsEmpty()) {
        box.x1 = box.x0;
        box.y1 = box.y0;
    }
    return box;
}

void ScreenTexels::At(int aX, int aY, ScreenColour* apColour, float* apAlpha) const {
    *apColour = ScreenColour();
    *apAlpha = 0.0f;
    const int bytesPerPixel = VoImage::GetBytesPerPixel(format);
    if (aX < 0 || aY < 0 || aX >= width || aY >= height || bytesPerPixel <= 0 || height <= 0) {
        return;
    }
    const std::size_t pitch = bytes.size() / static_cast<std::size_t>(height);
    const std::size_t at =
        static_cast<std::size_t>(aY) * pitch + static_cast<std::size_t>(aX * bytesPerPixel);
    if (at + static_cast<std::size_t>(bytesPerPixel) > bytes.size()) {
        return;
    }
    const unsigned char* p = bytes.data() + at;
    // As VoImage::GetPixel reads them.
    switch (format) {
        case VoImage::kFormatBGRA:
        case VoImage::kFormatBGRX:
            *apColour = {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f};
            *apAlpha = p[3] / 255.0f;
            break;
        case VoImage::kFormatBGR:
            *apColour = {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f};
            *apAlpha = 1.0f;
            break;
        case VoImage::kFormatA8:
            *apAlpha = p[0] / 255.0f;
            break;
        default:
            break;
    }
}

ScreenBox ScreenDraw::Covered() const {
    ScreenBox box{static_cast<int>(std::ceil(left)), static_cast<int>(std::ceil(top)),
                  static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))};
    return box.Intersect(clip);
}

RecordedScreen::RecordedScreen(const std::vector<RasterizerCall>& aCalls) {
    VoMatrix transforms[3] = {Identity(), Identity(), Identity()};
    ScreenBox viewport{0, 0, 800, 600};
    std::shared_ptr<const ScreenTexels> texels;
    std::uint32_t handle = 0;
    float factor = 1.0f;
    const RasterizerCall* buffer = nullptr;
    std::map<std::uint32_t, std::shared_ptr<const ScreenTexels>> byHandle;

    for (std::size_t i = 0; i < aCalls.size(); ++i) {
        const RasterizerCall& call = aCalls[i];
        if (call.name == "SetTransform" && call.hasMatrix && !call.arguments.empty()) {
            const int kind = static_cast<int>(call.arguments[0]);
            if (kind >= VoIRasterizer::kWorld && kind <= VoIRasterizer::kProjection) {
                transforms[kind] = call.matrix;
            }
        } else if (call.name == "SetViewport" && call.arguments.size() == 6) {
            const int x = static_cast<int>(call.arguments[0]);
            const int y = static_cast<int>(call.arguments[1]);
            viewport = {x, y, x + static_cast<int>(call.arguments[2]),
                        y + static_cast<int>(call.arguments[3])};
        } else if (call.name == "SetTextureFactor" && !call.arguments.empty()) {
            factor = static_cast<float>(call.arguments[0]);
        } else if (call.name == "SetVertexBuffer") {
            buffer = call.vertexCount > 0 ? &call : nullptr;
        } else if (call.name == "SetTexture") {
            const std::string::size_type word = call.text.find("handle ");
            texels = nullptr;
            handle = 0;
            if (word != std::string::npos) {
                handle = static_cast<std::uint32_t>(std::stoul(call.text.substr(word + 7)));
                auto known = byHandle.find(handle);
                if (known == byHandle.end()) {
                    VoTextureManager* textures = VoTextureManager::GetInstance();
                    auto* recorded = dynamic_cast<RecordingTexture*>(
                        textures != nullptr ? textures->GetTexture(handle) : nullptr);
                    std::shared_ptr<ScreenTexels> found;
                    if (recorded != nullptr) {
                        found = std::make_shared<ScreenTexels>();
                        found->width = static_cast<int>(recorded->GetWidth());
                        found->height = static_cast<int>(recorded->GetHeight());
                        found->format = recorded->GetFormat();
                        found->bytes = recorded->GetTexels();
                    }
                    known = byHandle.emplace(handle, found).first;
                }
                texels = known->second;
            } else if (!call.texels.empty()) {
                auto passed = std::make_shared<ScreenTexels>();
                passed->width = static_cast<int>(call.textureWidth);
                passed->height = static_cast<int>(call.textureHeight);
                // The 2D renderer passes its one-texel textures of a colour as BGRA.
                passed->format = VoImage::kFormatBGRA;
                passed->bytes = call.texels;
                texels = passed;
            }
        } else if (call.name == "Draw" && call.arguments.size() == 3 && buffer != nullptr) {
            const int type = static_cast<int>(call.arguments[0]);
            const int start = static_cast<int>(call.arguments[1]);
            const int count = static_cast<int>(call.arguments[2]);
            const int stride = buffer->vertexFormat == 3 ? 5 : (buffer->vertexFormat == 1 ? 3 : 0);
            if (stride == 0) {
                continue;
            }
            std::vector<ScreenDraw::Vertex> screen;
            for (int v = 0; v < buffer->vertexCount; ++v) {
                const float* f = buffer->vertices.data() + static_cast<std::size_t>(v * stride);
                float point[4] = {f[0], f[1], f[2], 1.0f};
                float world[4];
                float view[4];
                float clip[4];
                Apply(transforms[VoIRasterizer::kWorld], point, world);
                Apply(transforms[VoIRasterizer::kView], world, view);
                Apply(transforms[VoIRasterizer::kProjection], view, clip);
                const float w = clip[3] != 0.0f ? clip[3] : 1.0f;
                const float width = static_cast<float>(viewport.x1 - viewport.x0);
                const float height = static_cast<float>(viewport.y1 - viewport.y0);
                screen.push_back({static_cast<float>(viewport.x0) + (clip[0] / w + 1.0f) * width / 2.0f,
                                  static_cast<float>(viewport.y0) + (1.0f - clip[1] / w) * height / 2.0f,
                                  stride == 5 ? f[3] : 0.0f, stride == 5 ? f[4] : 0.0f});
            }
            ScreenDraw draw;
            draw.call = static_cast<int>(i);
            draw.type = type;
            draw.handle = handle;
            draw.buffer = buffer->object;
            draw.texels = texels;
            draw.factor = factor;
            draw.clip = viewport;
            const auto vertex = [&screen](int aIndex) {
                return aIndex >= 0 && aIndex < static_cast<int>(screen.size())
                           ? screen[aIndex]
                           : ScreenDraw::Vertex{0, 0, 0, 0};
            };
            for (int p = 0; p < count; ++p) {
                if (type == VoIRasterizer::kTriangleList) {
                    for (int k = 0; k < 3; ++k) {
                        draw.points.push_back(vertex(start + p * 3 + k));
                    }
                } else if (type == VoIRasterizer::kTriangleStrip) {
                    for (int k = 0; k < 3; ++k) {
                        draw.points.push_back(vertex(start + p + k));
                    }
                } else if (type == VoIRasterizer::kLineStrip) {
                    draw.points.push_back(vertex(start + p));
                    draw.points.push_back(vertex(start + p + 1));
                }
            }
            if (draw.points.empty()) {
                continue;
            }
            draw.left = draw.right = draw.points[0].x;
            draw.top = draw.bottom = draw.points[0].y;
            for (const ScreenDraw::Vertex& point : draw.points) {
                draw.left = std::min(draw.left, point.x);
                draw.right = std::max(draw.right, point.x);
                draw.top = std::min(draw.top, point.y);
                draw.bottom = std::max(draw.bottom, point.y);
            }
            fDraws.push_back(std::move(draw));
        }
    }
}

ScreenPatch RecordedScreen::Paint(const ScreenBox& aBox, int aEnd, const std::function<bool(int)>& aKeep,
                                  const ScreenColour& aGround) const {
    ScreenPatch patch;
    patch.box = aBox.Intersect(aBox);
    const std::size_t size = static_cast<std::size_t>(patch.box.x1 - patch.box.x0) *
                             static_cast<std::size_t>(patch.box.y1 - patch.box.y0);
    patch.colours.assign(size, aGround);
    patch.cover.assign(size, 0.0f);
    const int end = std::min(aEnd, GetDrawCount());
    for (int i = 0; i < end; ++i) {
        const ScreenDraw& draw = fDraws[static_cast<std::size_t>(i)];
        const ScreenBox reach{Floor(draw.left) - 1, Floor(draw.top) - 1, Floor(draw.right) + 2,
                              Floor(draw.bottom) + 2};
        if (draw.texels == nullptr || (aKeep && !aKeep(i)) ||
            reach.Intersect(draw.clip).Intersect(patch.box).IsEmpty()) {
            continue;
        }
        Painter painter(&patch, draw);
        if (draw.type == VoIRasterizer::kLineStrip) {
            for (std::size_t p = 0; p + 1 < draw.points.size(); p += 2) {
                painter.Line(draw.points[p], draw.points[p + 1]);
            }
        } else {
            for (std::size_t p = 0; p + 2 < draw.points.size(); p += 3) {
                painter.Triangle(draw.points[p], draw.points[p + 1], draw.points[p + 2]);
            }
        }
    }
    return patch;
}
