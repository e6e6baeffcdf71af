#pragma once
// Animation files written out field by field in the tests, and the streams
// that carry them to and from the readers.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "stdlib/VoMemoryStream.h"

using Bytes = std::vector<unsigned char>;

// Appends little-endian fields: Field(bytes).U32(2).F32(0.5f).Text(u"ab")...
class Field {
public:
    explicit Field(Bytes& aBytes) : fBytes(aBytes) {}

    Field& Byte(unsigned char aValue) {
        fBytes.push_back(aValue);
        return *this;
    }
    Field& Chars(const char* apBytes, std::size_t aCount) {
        for (std::size_t i = 0; i < aCount; ++i) {
            Byte(static_cast<unsigned char>(apBytes[i]));
        }
        return *this;
    }
    Field& U32(std::uint32_t aValue) {
        for (int i = 0; i < 4; ++i) {
            fBytes.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
        }
        return *this;
    }
    Field& U32s(std::initializer_list<std::uint32_t> aValues) {
        for (std::uint32_t value : aValues) {
            U32(value);
        }
        return *this;
    }
    Field& F32(float aValue) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &aValue, 4);
        return U32(bits);
    }
    Field& Floats(std::initializer_list<float> aValues) {
        for (float value : aValues) {
            F32(value);
        }
        return *this;
    }
    // The stream's string: a u32 count of units, the units and a 0 unit.
    Field& Text(const std::u16string& aText) {
        U32(static_cast<std::uint32_t>(aText.size()));
        for (char16_t unit : aText) {
            fBytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            fBytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
        fBytes.push_back(0);
        fBytes.push_back(0);
        return *this;
    }
    // Narrow text as the raw form stores names: its bytes and a 0 byte, after
    // their count.
    Field& RawName(const std::string& aName) {
        U32(static_cast<std::uint32_t>(aName.size() + 1));
        fBytes.insert(fBytes.end(), aName.begin(), aName.end());
        fBytes.push_back(0);
        return *this;
    }

private:
    Bytes& fBytes;
};

// A memory stream holding the bytes, at position 0.
inline void Fill(VoMemoryStream& aStream, const Bytes& aBytes) {
    static const unsigned char kNothing = 0;
    aStream.CreateFromBuffer(static_cast<std::int32_t>(aBytes.size()),
                             aBytes.empty() ? &kNothing : aBytes.data());
}

// What a writer put into the stream.
inline Bytes Written(VoMemoryStream& aStream) {
    return Bytes(aStream.GetBuffer(), aStream.GetBuffer() + aStream.GetPosition());
}

// The hash of a name: rotate left by 7, add the unit.
inline std::uint32_t NameHash(const std::u16string& aName) {
    std::uint32_t hash = 0;
    for (char16_t unit : aName) {
        hash = ((hash << 7) | (hash >> 25)) + unit;
    }
    return hash;
}

// A raw file of two tracks, "Biped" and "Head", of two frames each.
inline Bytes RawTwoTracks() {
    Bytes bytes;
    Field(bytes)
        .Chars("LIA\0\1\2\3\4", 8)  // header
        .U32s({7, 2, 2})            // unused word, tracks, frames
        .RawName("Biped")
        .U32(0x11)                                          // track word
        .Floats({1, 1, 1, 0, 0, 0, 1, 0.5f, 2, -3})         // vector, rotation, position
        .Floats({1, 1, 1, 0, 0.5f, 0, 0.75f, 1.5f, 2, -3})  // the second key
        .RawName("Head")
        .U32(0x22)
        .Floats({2, 2, 2, 0.25f, 0, 0, 1, 0, 10, 0})
        .Floats({2, 2, 2, 0, 0, 0.25f, 1, 0, 10, 0});
    return bytes;
}

// The same animation in the serialised form, named aName: each track keeps
// its two keys.
inline Bytes SerialisedTwoTracks(const std::u16string& aName) {
    Bytes bytes;
    Field(bytes)
        .Text(aName)
        .U32s({2, 2})  // tracks, frames
        .Text(u"Biped")
        .U32(NameHash(u"Biped"))
        .U32(2)                                   // keys
        .Byte(1)                                  // vectors
        .Floats({1, 1, 1, 1, 1, 1})               //
        .Byte(1)                                  // rotations
        .Floats({0, 0, 0, 1, 0, 0.5f, 0, 0.75f})  //
        .Byte(1)                                  // positions
        .Floats({0.5f, 2, -3, 1.5f, 2, -3})
        .Text(u"Head")
        .U32(NameHash(u"Head"))
        .U32(2)
        .Byte(1)
        .Floats({2, 2, 2, 2, 2, 2})
        .Byte(1)
        .Floats({0.25f, 0, 0, 1, 0, 0, 0.25f, 1})
        .Byte(1)
        .Floats({0, 10, 0, 0, 10, 0});
    return bytes;
}
