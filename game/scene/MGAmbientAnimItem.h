#pragma once
// One ambient movie of a viewpoint (see MGAmbientAnimPlayer): a texture
// movie shown by a sprite at its position over the background. A looping
// item plays from Load on; any other waits a random time between its
// minimum and maximum interval, plays once, disappears at its end and waits
// again.
//
// Keys of an entry:
//     movie                     file name under "//dataroot/movies/"
//     loop                      bool, true when missing
//     mininterval, maxinterval  seconds, 0 when missing
//     position                  x | y of the sprite, (0, 0) when missing
//
// A movie that cannot be made is logged once and the item stays empty.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorFloat.h"
#include "movie/VoIMovieListener.h"

class VoIMoviePlayer;
class VoITimer;
class VoPropertyList;
class VoRenderer;
class VoSprite;

class MGAmbientAnimItem : public VoBase, public VoIMovieListener {
public:
    static constexpr const char16_t* kMovieRoot = u"//dataroot/movies/";
    static constexpr const char* kNoMovie = "'movie' not found.";
    static constexpr const char* kStartFailure = "StartMovie failure. Could not play: ";

    // On the engine timer; seeds the runtime's random generator.
    MGAmbientAnimItem();
    // On apTimer instead (not owned, outlives us).
    explicit MGAmbientAnimItem(VoITimer* apTimer);
    MGAmbientAnimItem(const MGAmbientAnimItem&) = delete;
    MGAmbientAnimItem& operator=(const MGAmbientAnimItem&) = delete;
    // Deletes the movie and the sprite.
    ~MGAmbientAnimItem() override;

    // Reads the entry (null reads as an empty one); a looping item starts
    // its movie, any other draws its first wait. Always true.
    bool Load(VoPropertyList* apEntry);
    // Draws the sprite while the movie plays; otherwise starts a waiting
    // item's movie once its time has passed (shown from the next frame).
    // False only when the sprite fails to draw.
    bool Draw(VoRenderer* apRenderer);
    // The movie played to its end: the next wait begins, the sprite and the
    // movie are deleted.
    void OnMovieEnd(VoString aName) override;

    const VoString& GetPath() const { return fPath; }
    bool IsLooping() const { return fLoop; }
    float GetMinInterval() const { return fMinInterval; }
    float GetMaxInterval() const { return fMaxInterval; }
    // Timer seconds after which a waiting item starts.
    float GetNextTime() const { return fNextTime; }
    float GetX() const;
    float GetY() const;
    // Null while the item waits.
    VoIMoviePlayer* GetMovie() const { return fpMovie; }
    VoSprite* GetSprite() const { return fpSprite; }
    // Its movie could not be made: the item shows nothing more.
    bool IsFailed() const { return fFailed; }

    VoString ToString() const override;

private:
    // The movie and its sprite; on failure (logged once) the item fails.
    void StartMovie();
    void DropMovie();
    double Now();

    VoIMoviePlayer* fpMovie = nullptr;  // owned; null while waiting
    VoSprite* fpSprite = nullptr;       // owned; null while waiting
    VoString fPath;
    VoVectorFloat fPosition;
    bool fLoop = true;
    float fNextTime = 0.0f;
    float fMinInterval = 0.0f;
    float fMaxInterval = 0.0f;
    VoITimer* fpTimer;  // not owned; null for the engine timer
    bool fFailed = false;
};
