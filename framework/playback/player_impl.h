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
    template <class T>
    static plat::CommandTable::Entry Command(unsigned id, void (PlayerImpl::*fn)());
    template <class T>
    static plat::CommandTable::Entry Update(unsigned id, void (PlayerImpl::*fn)(plat::CmdUI*));
    // The rules of the enabled states.
    bool CanFirstFrame();
    bool CanLastFrame();
    bool CanWorkAreaStart();
    bool CanWorkAreaEnd();
    bool CanPreviousFrame();
    bool CanNextFrame();
    bool CanFollow();
};

// The handlers are called through the host's PlayerImpl part, so that no
// member pointer crosses from this base to the host class.
template <class T>
plat::CommandTable::Entry PlayerImpl::Command(unsigned id, void (PlayerImpl::*fn)()) {
    return {id, id, false, [fn](plat::CmdTarget& t, unsigned, plat::CmdUI*) {
                (static_cast<PlayerImpl&>(dynamic_cast<T&>(t)).*fn)();
            }};
}

template <class T>
plat::CommandTable::Entry PlayerImpl::Update(unsigned id, void (PlayerImpl::*fn)(plat::CmdUI*)) {
    return {id, id, true, [fn](plat::CmdTarget& t, unsigned, plat::CmdUI* ui) {
                (static_cast<PlayerImpl&>(dynamic_cast<T&>(t)).*fn)(ui);
            }};
}

template <class T>
std::vector<plat::CommandTable::Entry> PlayerImpl::CommandEntries() {
    return {
        Command<T>(ID_TIME_FIRST_FRAME, &PlayerImpl::OnTimeFirstFrame),
        Update<T>(ID_TIME_FIRST_FRAME, &PlayerImpl::OnUpdateTimeFirstFrame),
        Command<T>(ID_TIME_LAST_FRAME, &PlayerImpl::OnTimeLastFrame),
        Update<T>(ID_TIME_LAST_FRAME, &PlayerImpl::OnUpdateTimeLastFrame),
        Command<T>(ID_TIME_WORK_AREA_START, &PlayerImpl::OnTimeWorkAreaStart),
        Update<T>(ID_TIME_WORK_AREA_START, &PlayerImpl::OnUpdateTimeWorkAreaStart),
        Command<T>(ID_TIME_WORK_AREA_END, &PlayerImpl::OnTimeWorkAreaEnd),
        Update<T>(ID_TIME_WORK_AREA_END, &PlayerImpl::OnUpdateTimeWorkAreaEnd),
        Command<T>(ID_TIME_PREVIOUS_FRAME, &PlayerImpl::OnTimePreviousFrame),
        Update<T>(ID_TIME_PREVIOUS_FRAME, &PlayerImpl::OnUpdateTimePreviousFrame),
        Command<T>(ID_TIME_NEXT_FRAME, &PlayerImpl::OnTimeNextFrame),
        Update<T>(ID_TIME_NEXT_FRAME, &PlayerImpl::OnUpdateTimeNextFrame),
        Command<T>(ID_TIME_PLAY_BACKWARD, &PlayerImpl::OnTimePlayBackward),
        Update<T>(ID_TIME_PLAY_BACKWARD, &PlayerImpl::OnUpdateTimePlayBackward),
        Command<T>(ID_TIME_PAUSE, &PlayerImpl::OnTimePause),
        Update<T>(ID_TIME_PAUSE, &PlayerImpl::OnUpdateTimePause),
        Command<T>(ID_TIME_PLAY_FORWARD, &PlayerImpl::OnTimePlayForward),
        Update<T>(ID_TIME_PLAY_FORWARD, &PlayerImpl::OnUpdateTimePlayForward),
        Command<T>(ID_TIME_LOOP, &PlayerImpl::OnTimeLoop),
        Update<T>(ID_TIME_LOOP, &PlayerImpl::OnUpdateTimeLoop),
        Command<T>(ID_TIME_GO_TO_FRAME, &PlayerImpl::OnTimeGoToFrame),
        Update<T>(ID_TIME_GO_TO_FRAME, &PlayerImpl::OnUpdateTimeGoToFrame),
        Command<T>(ID_TIME_PLAY_PAUSE_FORWARD, &PlayerImpl::OnTimePlayPauseForward),
        Update<T>(ID_TIME_PLAY_PAUSE_FORWARD, &PlayerImpl::OnUpdateTimePlayPauseForward),
        Command<T>(ID_TIME_PLAY_PAUSE_BACKWARD, &PlayerImpl::OnTimePlayPauseBackward),
        Update<T>(ID_TIME_PLAY_PAUSE_BACKWARD, &PlayerImpl::OnUpdateTimePlayPauseBackward),
        Command<T>(ID_TIME_FOLLOW, &PlayerImpl::OnTimeFollow),
        Update<T>(ID_TIME_FOLLOW, &PlayerImpl::OnUpdateTimeFollow),
        Command<T>(ID_TIME_AUTO_FOLLOW, &PlayerImpl::OnTimeAutoFollow),
        Update<T>(ID_TIME_AUTO_FOLLOW, &PlayerImpl::OnUpdateTimeAutoFollow),
    };
}

}  // namespace Kor
