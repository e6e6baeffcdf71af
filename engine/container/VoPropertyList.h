#pragma once
// The tree that every text data file becomes. Each key of a list holds either
// a value (a string) or a section (a nested list); keys are unique within a
// list, case-sensitive and kept in file order.
//
// The text format, as Parse reads it:
//   - lines are split at line feeds; a carriage return at a line end is
//     trimmed away, so CR LF files read like LF files;
//   - a line whose text begins with "//" is a comment (only whole lines);
//   - a line ending in "\" continues with the next line, whose leading white
//     space is dropped; comment and blank lines inside a continuation are
//     consumed;
//   - the depth is the count of leading TABs (spaces do not count);
//   - "key=value" splits at the first "="; blanks around it belong to the
//     key and the value; a line without "=" opens a section;
//   - a repeated key is refused with an ERROR and the first one wins, so two
//     sections of one name merge.
//
// A parse keeps its value strings and element records in blocks shared by
// the lists it fills (the keys are the lists' own strings); what a caller
// takes out of the tree is copied out first, so it owns whole strings.
//
// Queries take paths with "." between the levels ("scene.camera.fov"); empty
// pieces are dropped. A path that runs through a value, or a getter that
// ends on a section, finds nothing. List values are split at the delimiter
// ("|" by default) into vectors.
#include <cstdint>

#include "container/VoHashKeyList.h"
#include "container/VoString.h"

class VoIStream;
class VoPropertyList;
class VoVectorFloat;
class VoVectorInt;
class VoVectorString;
class VoVectorUInt;

// One key's content: a plain record, owned by its list. A cleared element
// (type value, null pointer) stands for "nothing found".
struct VoPropertyListElement {
    static constexpr std::uint8_t kValue = 0;
    static constexpr std::uint8_t kSection = 1;

    VoPropertyListElement() = default;
    VoPropertyListElement(std::uint8_t aType, void* apPointer) : type(aType), pointer(apPointer) {}

    bool IsValue() const { return type == kValue && pointer != nullptr; }
    bool IsSection() const { return type == kSection && pointer != nullptr; }
    // Null unless the element is of that kind.
    VoString* GetValue() const { return IsValue() ? static_cast<VoString*>(pointer) : nullptr; }
    VoPropertyList* GetList() const { return IsSection() ? static_cast<VoPropertyList*>(pointer) : nullptr; }

    std::uint8_t type = kValue;
    // Set for a record (and its value string) that a parse made in its arena:
    // the list drops it without deleting, and copies it out before handing
    // it to a caller. Records that callers make or receive never carry it.
    bool inArena = false;
    void* pointer = nullptr;  // owned by the list: a VoString (value) or a VoPropertyList (section)
};

class VoPropertyList : public VoHashKeyList {
public:
    static constexpr int kHashShift = 7;
    // A list starts with room for this many keys and doubles from there: a
    // data file has thousands of small sections.
    static constexpr int kInitialCapacity = 8;
    static constexpr const char16_t* kDefaultDelimiter = u"|";

    static constexpr const char* kNoParent = "Parse failure. No section for the line, dropped: ";
    static constexpr const char* kSerializeInvalidArg = "SerializeList failure. Invalid arg.";
    static constexpr const char* kLoadFileSize = "Load failure. Invalid file size: ";
    static constexpr const char* kLoadAllocation = "Load failure. Could not allocate the text.";
    static constexpr const char* kGetFailure = "Get failure.";
    static constexpr const char* kGetAtFailure = "GetAt failure.";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kAddAtFailure = "AddAt failure.";
    static constexpr const char* kInvalidArgs = "Invalid args.";
    static constexpr const char* kRemoveFailure = "Remove failure.";
    static constexpr const char* kRemoveAtFailure = "RemoveAt failure.";
    static constexpr const char* kRemoveListFailure = "RemoveList failure.";
    static constexpr const char* kRemovePropertyFailure = "RemoveProperty failure.";
    static constexpr const char* kInvalidDelimiter = "Invalid delimiter.";
    static constexpr const char* kSetStringFailure = "SetString failure. No section for the path: ";
    static constexpr const char* kSetListFailure = "SetList failure. No section for the path: ";
    static constexpr const char* kNullList = "SetList failure. NULL arg.";
    static constexpr const char* kAllocationFailure = "Allocation failure.";

    VoPropertyList();
    // A deep copy: the same keys in the same order, values and sections copied.
    VoPropertyList(const VoPropertyList& aOther);
    VoPropertyList& operator=(const VoPropertyList&) = delete;
    // Deletes the whole subtree.
    ~VoPropertyList() override;

    // Replaces the content by the tree that aText describes. Problems are
    // logged and their lines dropped; always true.
    bool Parse(const VoString& aText);
    // Reads the whole file (single-byte text, each byte one unit) and parses
    // it. False, with the list unchanged, when the file cannot be opened or
    // sized. When the file delivers fewer bytes than its size, the bytes that
    // arrived are parsed.
    bool Load(const VoString& aPath, bool aMapToNative);
    // The tree as text: TAB indentation, CR LF line ends. False when a write
    // failed, as an empty key or value does (its line is still written).
    bool Serialize(VoString& aOutput);
    // Writes apList and, below it, its sections, at aDepth TABs.
    bool SerializeList(VoPropertyList* apList, VoIStream* apStream, int aDepth);

    // Lookups by path. A missing key, a path through a value or a value
    // expected where a section stands give "" (0, false, empty) and
    // *apFound = false, without a message. apFound may be null.
    VoString GetString(const VoString& aPath, bool* apFound);
    VoString GetValue(const VoString& aPath, bool* apFound) { return GetString(aPath, apFound); }
    // "true" in any case, or "1".
    bool GetBool(const VoString& aPath, bool* apFound);
    float GetFloat(const VoString& aPath, bool* apFound);
    std::int32_t GetInt(const VoString& aPath, bool* apFound);
    std::uint32_t GetUInt(const VoString& aPath, bool* apFound);
    // The value split at the delimiter, empty pieces dropped.
    VoVectorString GetVectorString(const VoString& aPath, bool* apFound);
    VoVectorFloat GetVectorFloat(const VoString& aPath, bool* apFound);
    VoVectorInt GetVectorInt(const VoString& aPath, bool* apFound);
    VoVectorUInt GetVectorUInt(const VoString& aPath, bool* apFound);
    // The section at the path (this list for an empty path), owned by the
    // tree; null when a key is missing or names a value.
    VoPropertyList* GetList(const VoString& aPath);

    // By key of this list (not a path) and by insertion index; copies of the
    // element, a cleared one (logged) when there is none.
    VoPropertyListElement Get(const VoString& aKey);
    VoPropertyListElement GetAt(int aIndex);
    // "" for a bad index.
    VoString GetKeyAt(int aIndex);
    // Null when the element is a value or the index bad.
    VoPropertyList* GetListAt(int aIndex);

    // Add under the path's last key; every other piece must name an existing
    // section. An existing key is never replaced: false, logged, and for
    // SetList the caller keeps its list. On success the tree owns the list.
    bool SetString(const VoString& aPath, const VoString& aValue);
    bool SetList(const VoString& aPath, VoPropertyList* apList);
    // A new element record with aElement's type and pointer, whose target the
    // tree then owns; on failure the caller keeps it.
    bool Add(const VoString& aKey, VoPropertyListElement aElement);
    bool AddAt(int aIndex, const VoString& aKey, VoPropertyListElement aElement);
    // *appElement must hold null; it receives the element record, which the
    // caller then owns with what it points to (delete both).
    bool Remove(const VoString& aKey, VoPropertyListElement** appElement);
    bool RemoveAt(int aIndex, VoPropertyListElement** appElement);
    // Hands the section to *appList (which must hold null), or deletes it
    // when appList is null.
    bool RemoveList(const VoString& aPath, VoPropertyList** appList);
    // Hands the value to *appValue, which must hold null.
    bool RemoveProperty(const VoString& aPath, VoString** appValue);

    // Refuses the empty text; may be several characters long.
    bool SetDelimiter(const VoString& aDelimiter);
    const VoString& GetDelimiter() const { return fDelimiter; }

    // Deletes every element, value and nested list.
    void RemoveAll();

    // Deletes an element record and what it points to.
    static void DeleteElement(VoPropertyListElement* apElement);

private:
    class Arena;
    class Parser;

    // The element at the path, or null; every piece but the last must name
    // a section.
    VoPropertyListElement* FindElement(const VoString& aPath);
    // The section holding the path's last piece (this list for one piece),
    // with that piece in *apKey; null when a leading piece is missing or a
    // value, or the path has no piece.
    VoPropertyList* FindParent(const VoString& aPath, VoString* apKey);
    VoPropertyListElement* ElementAt(int aIndex);
    VoPropertyListElement* ElementOf(const VoString& aKey);
    // Adds a new element record for (aType, apPointer) with the duplicate
    // check; false (the pointer not taken) when refused.
    bool AddElement(int aIndex, const VoString& aKey, std::uint8_t aType, void* apPointer);
    // The value text at the path, or null.
    const VoString* FindValue(const VoString& aPath, bool* apFound);
    // What the list drops an element with: a record of its own is deleted
    // with what it points to; an arena record only loses its section.
    static void DropElement(VoPropertyListElement* apElement);
    // A record that a caller may own and delete: apElement itself, or for an
    // arena record a heap copy (a copy of its value, or the same section).
    // Null, after logging, when the copy cannot be made.
    static VoPropertyListElement* OwnedRecord(const VoPropertyListElement* apElement);

    VoString fDelimiter;
    // Not owned alone: one reference to the arena of the parse that filled
    // this list, shared with the parse's other lists; null when none did.
    Arena* fpArena = nullptr;
};
