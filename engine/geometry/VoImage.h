#pragma once
// The engine's in-memory picture: a block of pixel bytes with its size and
// pixel format, top row first; pixel (x, y) starts at byte
// y * pitch + x * bytesPerPixel. Textures, sprites and fonts take their
// pictures from here.
//
// Formats: 1 B, G, R, A; 2 B, G, R, X (the fourth byte read as alpha);
// 3 B, G, R (opaque); 4 alpha only; 0 while the image holds no picture.
//
// The raw image form, which Read and Write move through any stream, is a
// VoImageHeader, five little-endian u32 (width, height, pitch, format,
// size), and then the size pixel bytes; no signature, no version. Read trusts nothing in it: the
// header is checked against the format table and against the bytes the
// stream still holds before anything is allocated, and a refused or
// truncated form leaves the image as it was.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoColor.h"
#include "container/VoISerializable.h"

class VoIStream;
class VoRectangle;
class VoString;
class VoVector2;

class VoImage : public VoBase, public VoISerializable {
public:
    static constexpr std::int32_t kFormatNone = 0;
    static constexpr std::int32_t kFormatBGRA = 1;
    static constexpr std::int32_t kFormatBGRX = 2;
    static constexpr std::int32_t kFormatBGR = 3;
    static constexpr std::int32_t kFormatA8 = 4;

    // Pictures beyond these come from broken or hostile files, never from
    // the data tree: the readers and Read refuse them before allocating.
    static constexpr std::int32_t kMaxDimension = 16384;
    static constexpr std::int64_t kMaxPixelBytes = 256 * 1024 * 1024;
    // The largest file the readers copy into memory: the largest picture
    // with room for its headers, packets, row filler and trailing blocks.
    static constexpr std::int64_t kMaxFileBytes = kMaxPixelBytes + kMaxPixelBytes / 2;

    static constexpr const char* kInvalidArgs = "Invalid arg(s).";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kFormatNotSupported = "Image format not supported:";
    static constexpr const char* kImageCreationFailure = "Image creation failure:";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    static constexpr const char* kGetPixelNoPixels = "GetPixel failure. No pixels.";
    static constexpr const char* kGetPixelInvalidFormat = "GetPixel failure. Invalid or no format.";
    static constexpr const char* kGetSubImageInvalidArg = "GetSubImage failure. Invalid arg.";
    static constexpr const char* kWriteNoPixels = "Write failure. No pixels.";
    static constexpr const char* kWriteCouldNotOpen = "Write failure. Couldn't open stream.";
    static constexpr const char* kWriteFailure = "Write failure.";
    static constexpr const char* kReadCouldNotOpen = "Read failure. Couldn't open stream.";
    static constexpr const char* kReadFailure = "Read failure.";
    static constexpr const char* kCreateFailure = "Create failure.";
    // Shared by the file readers.
    static constexpr const char* kSizeUnknown = "Create failure. size == -1:";
    static constexpr const char* kNullStream = "Create failure. NULL arg.";
    static constexpr const char* kCouldNotOpenStream = "Create failure. Could not open stream.";
    static constexpr const char* kInvalidSize = "Create failure. Invalid size: ";
    static constexpr const char* kCouldNotReadStream = "Create failure. Could not read stream.";
    static constexpr const char* kInvalidDimensions = "Create failure. Invalid dimensions.";
    static constexpr const char* kCouldNotAllocate = "Create failure. Could not allocate pixels.";

    VoImage();
    VoImage(const VoImage&) = delete;
    VoImage& operator=(const VoImage&) = delete;
    ~VoImage() override;

    // Loads a ".tga" or ".bmp" file (the last "."-piece of the engine path,
    // any case) into a new image that the caller owns. *appImage must hold
    // null; it stays null on failure.
    static bool CreateFromFile(const VoString& aPath, VoImage** appImage);

    // Bytes per pixel of a format, 0 for none or an unknown one.
    static std::int32_t GetBytesPerPixel(std::int32_t aFormat);

    // Copies aSize bytes of apPixels (still the caller's; it may be this
    // image's own buffer). Refused with kInvalidArgs, the image unchanged,
    // unless the format is 1..4, width and height positive, each row holds
    // its pixels (pitch >= width * bytesPerPixel) and height * pitch = aSize.
    virtual bool Create(std::int32_t aWidth, std::int32_t aHeight, std::int32_t aPitch, std::int32_t aFormat,
                        const unsigned char* apPixels, std::int32_t aSize);
    virtual std::int32_t GetFormat() const { return fFormat; }
    virtual std::int32_t GetHeight() const { return fHeight; }
    virtual std::int32_t GetPitch() const { return fPitch; }
    // Coordinates are truncated toward zero after the bounds test, so any
    // negative coordinate, -0.5 too, is out of bounds.
    virtual VoColor GetPixel(const VoVector2& aPoint) const;
    // Each channel is byte / 255; all four 0 with a logged error outside the
    // picture or without one.
    virtual VoColor GetPixel(std::int32_t aX, std::int32_t aY) const;
    // Copies the rectangle (each field truncated toward zero) into apOut,
    // made aWidth x aHeight in this image's format, row i of the rectangle
    // at row i, column 0. What lies outside this image or past aWidth x
    // aHeight is not copied: those bytes are 0. Gives apOut, or null when
    // apOut is null, either size is not positive or there is no picture.
    virtual VoImage* GetSubImage(const VoRectangle& aRect, std::int32_t aWidth, std::int32_t aHeight,
                                 VoImage* apOut) const;
    // The pixel buffer, still the image's; null while there is none.
    virtual unsigned char* GetPixels() const { return fpPixels; }
    virtual unsigned char* GetData() const { return fpPixels; }
    virtual std::int32_t GetWidth() const { return fWidth; }

    std::int32_t GetSize() const { return fSize; }
    std::int32_t GetBytesPerPixel() const { return fBytesPerPixel; }
    std::int32_t GetBitsPerPixel() const { return fBitsPerPixel; }

    // The raw form at the stream's position; the stream is opened first and
    // left open.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

protected:
    // Whether the six values describe a picture that Create may take; logs nothing.
    static bool IsValidLayout(std::int64_t aWidth, std::int64_t aHeight, std::int64_t aPitch,
                              std::int64_t aFormat, std::int64_t aSize);
    // Replaces the picture by apPixels (VO_NEW[], owned from here on), whose
    // layout the caller has checked.
    void Adopt(unsigned char* apPixels, std::int32_t aWidth, std::int32_t aHeight, std::int32_t aPitch,
               std::int32_t aFormat);

    // The steps both file readers share; each logs its own failure.
    // Decodes a whole file held in memory into the image.
    using Decoder = bool (*)(VoImage* apImage, const unsigned char* apData, std::uint32_t aSize);
    // The file at the engine path: its size through the file system, then
    // LoadStream on a file stream.
    bool LoadFile(const VoString& aPath, Decoder aDecoder);
    // Opens the stream, copies aSize bytes of it into memory, closes it and
    // decodes the copy.
    bool LoadStream(VoIStream* apStream, std::int32_t aSize, Decoder aDecoder);
    // Whether a aWidth x aHeight picture is one the readers may allocate:
    // both positive and neither, nor the block, too large. Logs the refusal.
    static bool CheckDimensions(std::int64_t aWidth, std::int64_t aHeight, std::int32_t aBytesPerPixel);
    // A zeroed block of aBytes, or null (logged) when memory runs out.
    static unsigned char* AllocatePicture(std::int64_t aBytes);

private:
    unsigned char* fpPixels;  // owned (VO_NEW[]); null while there is no picture
    std::int32_t fSize;
    std::int32_t fBytesPerPixel;
    std::int32_t fWidth;
    std::int32_t fHeight;
    std::int32_t fPitch;
    std::int32_t fBitsPerPixel;
    std::int32_t fFormat;
};
