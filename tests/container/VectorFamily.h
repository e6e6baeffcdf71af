#pragma once
// Uniform access to the six vector classes for the tests of the rules they
// share: element n (a distinct non-zero element per n), and whether a slot
// holds element n or reads as zero.
#include <cstdint>
#include <string>

#include "container/VoVector.h"
#include "container/VoVectorBase.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "container/VoVectorUInt.h"
#include "support/TestText.h"

// An object that knows its number, for the object vector.
class NumberedObject : public VoBase {
public:
    explicit NumberedObject(int aNumber) : fNumber(aNumber) {}
    int fNumber;
};

template <typename V>
struct Family;

// Element n of a value or pointer vector is a value; the store operations take
// it directly.
template <typename V, typename T>
struct ValueFamily {
    static bool Add(V& aVector, int aN) { return aVector.Add(Family<V>::Item(aN)); }
    static bool AddAt(V& aVector, int aIndex, int aN) { return aVector.AddAt(aIndex, Family<V>::Item(aN)); }
    static bool AddLast(V& aVector, int aN) { return aVector.AddLast(Family<V>::Item(aN)); }
    static bool SetAt(V& aVector, int aIndex, int aN) { return aVector.SetAt(aIndex, Family<V>::Item(aN)); }
    static bool Holds(const V& aVector, int aIndex, int aN) {
        return aVector.GetAt(aIndex) == Family<V>::Item(aN);
    }
    static bool IsZeroAt(const V& aVector, int aIndex) { return aVector.GetAt(aIndex) == T(); }
};

template <>
struct Family<VoVector> : ValueFamily<VoVector, void*> {
    static void* Item(int aN) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(aN + 1) * 16); }
};

template <>
struct Family<VoVectorInt> : ValueFamily<VoVectorInt, std::int32_t> {
    static std::int32_t Item(int aN) { return -(aN + 1); }
};

template <>
struct Family<VoVectorUInt> : ValueFamily<VoVectorUInt, std::uint32_t> {
    static std::uint32_t Item(int aN) { return 0xFFFFFFF0u - static_cast<std::uint32_t>(aN); }
};

template <>
struct Family<VoVectorFloat> : ValueFamily<VoVectorFloat, float> {
    static float Item(int aN) { return static_cast<float>(aN) + 0.5f; }
};

template <>
struct Family<VoVectorString> : ValueFamily<VoVectorString, VoString> {
    static VoString Item(int aN) { return VoString(u"item ").Append(aN); }
    static bool Holds(const VoVectorString& aVector, int aIndex, int aN) {
        return aVector.GetAt(aIndex) == Item(aN);
    }
    static bool IsZeroAt(const VoVectorString& aVector, int aIndex) {
        return aVector.GetAt(aIndex).GetLength() == 0;
    }
};

// The object vector owns what it stores; what it refuses is deleted here.
template <>
struct Family<VoVectorBase> {
    template <typename Store>
    static bool Stored(Store aStore, int aN) {
        NumberedObject* object = new NumberedObject(aN);
        if (aStore(object)) {
            return true;
        }
        delete object;
        return false;
    }
    static bool Add(VoVectorBase& aVector, int aN) {
        return Stored([&](VoBase* apObject) { return aVector.Add(apObject); }, aN);
    }
    static bool AddAt(VoVectorBase& aVector, int aIndex, int aN) {
        return Stored([&](VoBase* apObject) { return aVector.AddAt(aIndex, apObject); }, aN);
    }
    static bool AddLast(VoVectorBase& aVector, int aN) {
        return Stored([&](VoBase* apObject) { return aVector.AddLast(apObject); }, aN);
    }
    static bool Holds(const VoVectorBase& aVector, int aIndex, int aN) {
        const NumberedObject* object = static_cast<const NumberedObject*>(aVector.GetAt(aIndex));
        return object != nullptr && object->fNumber == aN;
    }
    static bool IsZeroAt(const VoVectorBase& aVector, int aIndex) { return aVector.GetAt(aIndex) == nullptr; }
};
