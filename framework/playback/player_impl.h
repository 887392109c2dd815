// PlayerImpl: the player with the playback commands. The host's command
// table sends the commands (playback_command_ids.h) to these handlers. Each
// update handler sets the enabled state first, then the check or radio
// mark; each command handler checks its own rule again, so a key that
// arrives while the command is disabled does nothing (no frame -1, none past
// the last).
#pragma once

#include "framework/playback/playback_command_ids.h"
#include "framework/playback/player.h"
#include "platform/cmd_target.h"

#include <vector>

namespace Kor {

class PlayerImpl : public Player {
public:
    void OnTimeFirstFrame();
    void OnTimeLastFrame();
    void OnTimeWorkAreaStart();
    void OnTimeWorkAreaEnd();
    void OnTimePreviousFrame();
    void OnTimeNextFrame();
    void OnTimePlayBackward();
    void OnTimePause();
    void OnTimePlayForward();
    void OnTimeLoop();
    void OnTimeGoToFrame();
    void OnTimePlayPauseForward();
    void OnTimePlayPauseBackward();
    void OnTimeFollow();
    void OnTimeAutoFollow();

    void OnUpdateTimeFirstFrame(plat::CmdUI* ui);
    void OnUpdateTimeLastFrame(plat::CmdUI* ui);
    void OnUpdateTimeWorkAreaStart(plat::CmdUI* ui);
    void OnUpdateTimeWorkAreaEnd(plat::CmdUI* ui);
    void OnUpdateTimePreviousFrame(plat::CmdUI* ui);
    void OnUpdateTimeNextFrame(plat::CmdUI* ui);
    void OnUpdateTimePlayBackward(plat::CmdUI* ui);
    void OnUpdateTimePause(plat::CmdUI* ui);
    void OnUpdateTimePlayForward(plat::CmdUI* ui);
    void OnUpdateTimeLoop(plat::CmdUI* ui);
    void OnUpdateTimeGoToFrame(plat::CmdUI* ui);
    void OnUpdateTimePlayPauseForward(plat::CmdUI* ui);
    void OnUpdateTimePlayPauseBackward(plat::CmdUI* ui);
    void OnUpdateTimeFollow(plat::CmdUI* ui);
    void OnUpdateTimeAutoFollow(plat::CmdUI* ui);

    // The handlers above as command-table entries of a host class T
    // (derived from PlayerImpl and a command target).
    template <class T>
    static std::vector<plat::CommandTable::Entry> CommandEntries();

private:
    // The rules of the enabled states.
    bool CanFirstFrame();
    bool CanLastFrame();
    bool CanWorkAreaStart();
    bool CanWorkAreaEnd();
    bool CanPreviousFrame();
    bool CanNextFrame();
    bool CanFollow();
};

template <class T>
std::vector<plat::CommandTable::Entry> PlayerImpl::CommandEntries() {
    using C = plat::CommandTable;
    return {
        C::Command<T>(ID_TIME_FIRST_FRAME, &T::OnTimeFirstFrame),
        C::Update<T>(ID_TIME_FIRST_FRAME, &T::OnUpdateTimeFirstFrame),
        C::Command<T>(ID_TIME_LAST_FRAME, &T::OnTimeLastFrame),
        C::Update<T>(ID_TIME_LAST_FRAME, &T::OnUpdateTimeLastFrame),
        C::Command<T>(ID_TIME_WORK_AREA_START, &T::OnTimeWorkAreaStart),
        C::Update<T>(ID_TIME_WORK_AREA_START, &T::OnUpdateTimeWorkAreaStart),
        C::Command<T>(ID_TIME_WORK_AREA_END, &T::OnTimeWorkAreaEnd),
        C::Update<T>(ID_TIME_WORK_AREA_END, &T::OnUpdateTimeWorkAreaEnd),
        C::Command<T>(ID_TIME_PREVIOUS_FRAME, &T::OnTimePreviousFrame),
        C::Update<T>(ID_TIME_PREVIOUS_FRAME, &T::OnUpdateTimePreviousFrame),
        C::Command<T>(ID_TIME_NEXT_FRAME, &T::OnTimeNextFrame),
        C::Update<T>(ID_TIME_NEXT_FRAME, &T::OnUpdateTimeNextFrame),
        C::Command<T>(ID_TIME_PLAY_BACKWARD, &T::OnTimePlayBackward),
        C::Update<T>(ID_TIME_PLAY_BACKWARD, &T::OnUpdateTimePlayBackward),
        C::Command<T>(ID_TIME_PAUSE, &T::OnTimePause),
        C::Update<T>(ID_TIME_PAUSE, &T::OnUpdateTimePause),
        C::Command<T>(ID_TIME_PLAY_FORWARD, &T::OnTimePlayForward),
        C::Update<T>(ID_TIME_PLAY_FORWARD, &T::OnUpdateTimePlayForward),
        C::Command<T>(ID_TIME_LOOP, &T::OnTimeLoop),
        C::Update<T>(ID_TIME_LOOP, &T::OnUpdateTimeLoop),
        C::Command<T>(ID_TIME_GO_TO_FRAME, &T::OnTimeGoToFrame),
        C::Update<T>(ID_TIME_GO_TO_FRAME, &T::OnUpdateTimeGoToFrame),
        C::Command<T>(ID_TIME_PLAY_PAUSE_FORWARD, &T::OnTimePlayPauseForward),
        C::Update<T>(ID_TIME_PLAY_PAUSE_FORWARD, &T::OnUpdateTimePlayPauseForward),
        C::Command<T>(ID_TIME_PLAY_PAUSE_BACKWARD, &T::OnTimePlayPauseBackward),
        C::Update<T>(ID_TIME_PLAY_PAUSE_BACKWARD, &T::OnUpdateTimePlayPauseBackward),
        C::Command<T>(ID_TIME_FOLLOW, &T::OnTimeFollow),
        C::Update<T>(ID_TIME_FOLLOW, &T::OnUpdateTimeFollow),
        C::Command<T>(ID_TIME_AUTO_FOLLOW, &T::OnTimeAutoFollow),
        C::Update<T>(ID_TIME_AUTO_FOLLOW, &T::OnUpdateTimeAutoFollow),
    };
}

}  // namespace Kor
