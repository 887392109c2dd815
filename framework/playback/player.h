// Player: the playback state machine of a sequence view. It knows the play
// mode and the switches "Loop" and "AutoFollow", and on every tick of its
// host moves the play frame through the work area: forwards or backwards,
// wrapping around at the ends with Loop on, turning back with Loop off. The
// host starts and stops the tick and provides the sequence.
//
// The work area is taken clamped to the sequence. With nothing to play (an
// empty sequence or work area) ticks do nothing and the player does not
// start playing or following; pausing always works. A work area of one
// frame stays on that frame. The switches live in the profile section
// "Time" ("Loop", "AutoFollow", both 1 by default), read at construction and
// written at destruction when an application exists.
#pragma once

#include "framework/playback/play_mode.h"

#include <utility>

namespace Kor {

class Sequence;

class Player {
public:
    Player();
    // A copy has the same Loop and AutoFollow and starts paused.
    Player(const Player& o);
    Player& operator=(const Player& o);
    virtual ~Player();

    PlayMode GetPlayMode() const { return mode_; }
    // Every change of mode starts from the current frame; see the class
    // comment for the changes that are refused.
    void SetPlayMode(PlayMode mode);
    bool IsPlaying() const { return mode_ == PLAY_FORWARD || mode_ == PLAY_BACKWARD; }
    bool GetLoop() const { return loop_; }
    void SetLoop(bool loop) { loop_ = loop; }
    bool ToggleLoop() { return loop_ = !loop_; }
    bool GetAutoFollow() const { return autoFollow_; }
    void SetAutoFollow(bool on) { autoFollow_ = on; }
    bool ToggleAutoFollow() { return autoFollow_ = !autoFollow_; }
    // Follows the live source when AutoFollow is on.
    void StartFollow();

    // The frame the next tick plays; `turn` (when given) tells whether the
    // direction turns there.
    int NextFrame(bool* turn = nullptr);
    // One tick: the next frame, turning at an end of the work area with Loop
    // off. A tick that arrives while one runs is ignored.
    void TimeStep();

    void ReadSettings();
    void WriteSettings();

    // The work area clamped to the sequence: 0 <= first <= end <= count.
    std::pair<int, int> GetPlayArea();

protected:
    // The host starts its periodic tick, which calls TimeStep.
    virtual void StartPlaying() = 0;
    virtual void StopPlaying() = 0;
    virtual Sequence& GetSequence() = 0;
    virtual void OnActivateFollow() {}
    virtual void OnDeactivateFollow() {}
    // Whether the host can play now (a usable frame rate).
    virtual bool CanPlay() const { return true; }
    // Whether there is a sequence with frames.
    bool HasFrames();

private:
    PlayMode mode_ = PLAY_PAUSED;
    bool loop_ = true;
    bool autoFollow_ = true;
    bool inStep_ = false;
};

}  // namespace Kor
