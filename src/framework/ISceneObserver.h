#pragma once
// Told by the world after it has handled a key, a mouse press or release, a tick, a box clicked
// on the player's behalf or a change of room: what the current room shows may have changed. A
// view that mirrors the room (what a screen reader reads of it) compares its state then.

class ISceneObserver {
  public:
    virtual ~ISceneObserver() = default;

    virtual void SceneChanged() = 0;
};
