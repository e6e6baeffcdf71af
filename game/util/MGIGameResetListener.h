#pragma once
// Told when a new game starts or a saved game is loaded (MGGameReset): the
// listener forgets what it keeps of the running game outside the states,
// events and inventory, which are replaced anyway (a puzzle's solved flag,
// a pending close). Registered with MGGameReset::AddListener; removes
// itself before it dies.
class MGIGameResetListener {
public:
    virtual ~MGIGameResetListener() = default;
    virtual void OnGameReset() = 0;
};
