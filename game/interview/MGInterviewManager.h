#pragma once
// The interview manager: keeps the interviews, loaded on first use, and
// the one that runs. Created by the application's Init; the interviews
// themselves come with their own classes.
//
// Until interviews arrive this keeps interviews by id and the current one,
// and starting one only tells its listener that it started.
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"

class MGInterview;
class VoString;

class MGInterviewManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGInterviewManager creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGInterviewManager* GetInstance();

    MGInterviewManager();
    MGInterviewManager(const MGInterviewManager&) = delete;
    MGInterviewManager& operator=(const MGInterviewManager&) = delete;
    // Deletes every interview.
    ~MGInterviewManager() override;

    // The interview of the id, made on first use; it becomes the current
    // one. Null for an empty id.
    MGInterview* GetInterview(const VoString& aId);
    // The interview last given by GetInterview, or null.
    MGInterview* GetCurrentInterview() const { return fpCurrent; }
    // Makes the interview ahead of use; false for an empty id.
    bool PreloadInterview(const VoString& aId);
    // Starts the current interview; false when there is none.
    bool StartInterview();
    // Deletes every interview; there is no current one any more.
    void ClearInterviews();
    int GetInterviewCount() const { return fInterviews.GetCount(); }

    VoString ToString() const override;

private:
    MGInterview* Find(const VoString& aId);

    VoHashKeyList fInterviews;         // MGInterview, owned
    MGInterview* fpCurrent = nullptr;  // not owned: one of fInterviews
};
