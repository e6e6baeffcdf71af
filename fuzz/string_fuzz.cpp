// Feeds narrow text, as the data files hold it, through the string's parsing
// operations: construction, Split, MatchPair, Replace and Find must never
// crash or read outside the text, whatever the bytes.
//
// The first bytes choose the operands: a delimiter / bracket length, a start
// index and a replace mode; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "container/VoString.h"
#include "support/FuzzSupport.h"

namespace {

struct PieceCounter {
    int count = 0;
    bool Add(const VoString& aPiece) {
        count += aPiece.GetLength() > 0 ? 1 : 0;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    QuietFuzzLog();
    if (aSize < 3) {
        VoString tiny(std::string(reinterpret_cast<const char*>(apData), aSize).c_str());
        return 0;
    }
    const std::size_t pieceLength = 1 + apData[0] % 3;
    const std::int32_t start = static_cast<std::int8_t>(apData[1]);
    const bool all = (apData[2] & 1) != 0;
    // Embedded zero bytes end the narrow text, as they do for a C string.
    const std::string bytes(reinterpret_cast<const char*>(apData + 3), aSize - 3);
    const VoString text(bytes.c_str());

    const VoString piece = text.SubString(0, static_cast<std::int32_t>(pieceLength));
    const VoString close = text.SubString(text.GetLength() - 1, 1);

    PieceCounter pieces;
    text.Split(piece, &pieces);
    text.Split(VoString(u"|"), &pieces);

    VoString inner;
    text.MatchPair(VoString(u"("), VoString(u")"), start, &inner);
    text.MatchPair(piece, close, start, &inner);

    text.Find(piece, start);
    text.FindLast(piece);
    VoString::FindSubString(text.GetChars(), piece.GetChars());

    VoString replaced(text);
    replaced.Replace(piece, close, all);
    replaced.Replace(VoString(u"//"), VoString(u"/"), true);
    replaced.Replace(close, piece, all);

    VoString trimmed(text);
    trimmed.TrimLeft().TrimRight();
    char* narrow = nullptr;
    if (text.ToNarrow(&narrow)) {
        delete[] narrow;
    }
    return 0;
}
