#include "framework/playback/player_impl.h"

#include "framework/playback/go_to_frame_dlg.h"
#include "framework/playback/sequence.h"
#include "platform/app.h"

namespace Kor {

// --- Rules ---

bool PlayerImpl::CanFirstFrame() { return HasFrames() && GetSequence().GetCurrentFrame() != 0; }

bool PlayerImpl::CanLastFrame() {
    return HasFrames() && GetSequence().GetCurrentFrame() != GetSequence().GetFrameCount() - 1;
}

bool PlayerImpl::CanWorkAreaStart() {
    if (!HasFrames()) return false;
    auto [first, end] = GetPlayArea();
    return first < end && GetSequence().GetCurrentFrame() != first;
}

bool PlayerImpl::CanWorkAreaEnd() {
    if (!HasFrames()) return false;
    auto [first, end] = GetPlayArea();
    return first < end && GetSequence().GetCurrentFrame() != end - 1;
}

bool PlayerImpl::CanPreviousFrame() {
    return HasFrames() && GetPlayMode() == PLAY_PAUSED && GetSequence().GetCurrentFrame() > 0;
}

bool PlayerImpl::CanNextFrame() {
    return HasFrames() && GetPlayMode() == PLAY_PAUSED &&
           GetSequence().GetCurrentFrame() < GetSequence().GetFrameCount() - 1;
}

bool PlayerImpl::CanFollow() { return HasFrames() && GetSequence().CanFollow(); }

// --- Commands ---

void PlayerImpl::OnTimeFirstFrame() {
    if (CanFirstFrame()) GetSequence().SetCurrentFrame(0);
}

void PlayerImpl::OnTimeLastFrame() {
    if (CanLastFrame()) GetSequence().SetCurrentFrame(GetSequence().GetFrameCount() - 1);
}

void PlayerImpl::OnTimeWorkAreaStart() {
    if (CanWorkAreaStart()) GetSequence().SetCurrentFrame(GetPlayArea().first);
}

void PlayerImpl::OnTimeWorkAreaEnd() {
    if (CanWorkAreaEnd()) GetSequence().SetCurrentFrame(GetPlayArea().second - 1);
}

void PlayerImpl::OnTimePreviousFrame() {
    if (CanPreviousFrame()) GetSequence().SetCurrentFrame(GetSequence().GetCurrentFrame() - 1);
}

void PlayerImpl::OnTimeNextFrame() {
    if (CanNextFrame()) GetSequence().SetCurrentFrame(GetSequence().GetCurrentFrame() + 1);
}

void PlayerImpl::OnTimePlayBackward() { SetPlayMode(PLAY_BACKWARD); }
void PlayerImpl::OnTimePause() { SetPlayMode(PLAY_PAUSED); }
void PlayerImpl::OnTimePlayForward() { SetPlayMode(PLAY_FORWARD); }

void PlayerImpl::OnTimeLoop() {
    if (HasFrames()) ToggleLoop();
}

void PlayerImpl::OnTimeGoToFrame() {
    if (!HasFrames()) return;
    Sequence& s = GetSequence();
    plat::App* app = plat::App::Instance();
    GoToFrameDlg dialog(s.GetFrameBase(), s.GetFrameCount(), s.GetPlayFrame() + s.GetFrameBase());
    if (dialog.DoModal(app ? app->GetMainWnd() : nullptr) != GoToFrameDlg::kConfirmed) return;
    // The sequence may have changed while the dialog was open.
    if (!HasFrames()) return;
    long long frame = (long long)dialog.GetNumber() - s.GetFrameBase();
    if (frame >= 0 && frame < s.GetFrameCount()) s.SetCurrentFrame(int(frame));
}

void PlayerImpl::OnTimePlayPauseForward() { SetPlayMode(GetPlayMode() != PLAY_PAUSED ? PLAY_PAUSED : PLAY_FORWARD); }

void PlayerImpl::OnTimePlayPauseBackward() { SetPlayMode(GetPlayMode() != PLAY_PAUSED ? PLAY_PAUSED : PLAY_BACKWARD); }

void PlayerImpl::OnTimeFollow() {
    if (CanFollow()) SetPlayMode(PLAY_FOLLOW);
}

void PlayerImpl::OnTimeAutoFollow() {
    if (HasFrames()) ToggleAutoFollow();
}

// --- States: enabled first, then the mark ---

void PlayerImpl::OnUpdateTimeFirstFrame(plat::CmdUI* ui) { ui->Enable(CanFirstFrame()); }
void PlayerImpl::OnUpdateTimeLastFrame(plat::CmdUI* ui) { ui->Enable(CanLastFrame()); }
void PlayerImpl::OnUpdateTimeWorkAreaStart(plat::CmdUI* ui) { ui->Enable(CanWorkAreaStart()); }
void PlayerImpl::OnUpdateTimeWorkAreaEnd(plat::CmdUI* ui) { ui->Enable(CanWorkAreaEnd()); }
void PlayerImpl::OnUpdateTimePreviousFrame(plat::CmdUI* ui) { ui->Enable(CanPreviousFrame()); }
void PlayerImpl::OnUpdateTimeNextFrame(plat::CmdUI* ui) { ui->Enable(CanNextFrame()); }

void PlayerImpl::OnUpdateTimePlayBackward(plat::CmdUI* ui) {
    ui->Enable(HasFrames());
    ui->SetRadio(GetPlayMode() == PLAY_BACKWARD);
}

void PlayerImpl::OnUpdateTimePause(plat::CmdUI* ui) {
    ui->Enable(HasFrames());
    ui->SetRadio(GetPlayMode() == PLAY_PAUSED);
}

void PlayerImpl::OnUpdateTimePlayForward(plat::CmdUI* ui) {
    ui->Enable(HasFrames());
    ui->SetRadio(GetPlayMode() == PLAY_FORWARD);
}

void PlayerImpl::OnUpdateTimeLoop(plat::CmdUI* ui) {
    ui->Enable(HasFrames());
    ui->SetCheck(GetLoop() ? 1 : 0);
}

void PlayerImpl::OnUpdateTimeGoToFrame(plat::CmdUI* ui) { ui->Enable(HasFrames()); }
void PlayerImpl::OnUpdateTimePlayPauseForward(plat::CmdUI* ui) { ui->Enable(true); }
void PlayerImpl::OnUpdateTimePlayPauseBackward(plat::CmdUI* ui) { ui->Enable(true); }

void PlayerImpl::OnUpdateTimeFollow(plat::CmdUI* ui) {
    ui->Enable(CanFollow());
    ui->SetRadio(GetPlayMode() == PLAY_FOLLOW);
}

void PlayerImpl::OnUpdateTimeAutoFollow(plat::CmdUI* ui) {
    ui->Enable(HasFrames());
    ui->SetCheck(GetAutoFollow() ? 1 : 0);
}

}  // namespace Kor
