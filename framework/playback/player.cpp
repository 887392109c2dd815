#include "framework/playback/player.h"

#include "framework/playback/sequence.h"
#include "platform/app.h"

#include <algorithm>

namespace Kor {

namespace {
constexpr const char* kSection = "Time";
}  // namespace

Player::Player() { ReadSettings(); }

Player::Player(const Player& o) : loop_(o.loop_), autoFollow_(o.autoFollow_) {}

Player& Player::operator=(const Player& o) {
    loop_ = o.loop_;
    autoFollow_ = o.autoFollow_;
    return *this;
}

Player::~Player() { WriteSettings(); }

void Player::ReadSettings() {
    plat::App* app = plat::App::Instance();
    if (!app) return;
    loop_ = app->GetProfileInt(kSection, "Loop", 1) != 0;
    autoFollow_ = app->GetProfileInt(kSection, "AutoFollow", 1) != 0;
}

void Player::WriteSettings() {
    plat::App* app = plat::App::Instance();
    if (!app) return;
    app->WriteProfileInt(kSection, "Loop", loop_ ? 1 : 0);
    app->WriteProfileInt(kSection, "AutoFollow", autoFollow_ ? 1 : 0);
}

bool Player::HasFrames() {
    Sequence& s = GetSequence();
    return !s.IsEmpty() && s.GetFrameCount() > 0;
}

std::pair<int, int> Player::GetPlayArea() {
    Sequence& s = GetSequence();
    int count = std::max(s.GetFrameCount(), 0);
    std::pair<int, int> area = s.GetWorkArea();
    int first = std::clamp(area.first, 0, count);
    int end = std::clamp(area.second, first, count);
    return {first, end};
}

void Player::SetPlayMode(PlayMode mode) {
    if (mode == mode_ || mode < PLAY_PAUSED || mode > PLAY_FOLLOW) return;
    bool frames = HasFrames();
    if (mode != PLAY_PAUSED) {
        if (!frames) return;
        if (mode != PLAY_FOLLOW) {
            std::pair<int, int> area = GetPlayArea();
            if (area.first >= area.second || !CanPlay()) return;
        }
    }
    if (mode_ == PLAY_FOLLOW) OnDeactivateFollow();
    mode_ = mode;
    Sequence& s = GetSequence();
    if (frames) s.SetPlayFrame(s.GetCurrentFrame());
    if (mode_ == PLAY_FOLLOW) OnActivateFollow();
    if (IsPlaying())
        StartPlaying();
    else
        StopPlaying();
}

void Player::StartFollow() {
    if (autoFollow_) SetPlayMode(PLAY_FOLLOW);
}

int Player::NextFrame(bool* turn) {
    if (turn) *turn = false;
    Sequence& s = GetSequence();
    int p = s.GetPlayFrame();
    if (!IsPlaying()) return p;
    auto [first, end] = GetPlayArea();
    if (first >= end) return p;         // nothing to play: stay
    if (end - first < 2) return first;  // one frame: no bouncing out of it
    int count = s.GetFrameCount();
    if (mode_ == PLAY_FORWARD) {
        if (p < 0 || p >= count) return first;
        int n = p + 1;
        if (n < end) return n;
        if (!loop_ && n == end) {
            if (turn) *turn = true;
            return end - 2;
        }
        return first;
    }
    if (p < 0 || p >= count) return end - 1;
    int n = p - 1;
    if (n >= first) return n;
    if (!loop_ && p == first) {
        if (turn) *turn = true;
        return first + 1;
    }
    return end - 1;
}

void Player::TimeStep() {
    if (inStep_ || !IsPlaying() || !HasFrames()) return;
    std::pair<int, int> area = GetPlayArea();
    if (area.first >= area.second) return;
    struct StepGuard {
        bool& flag;
        explicit StepGuard(bool& f) : flag(f) { flag = true; }
        ~StepGuard() { flag = false; }
    } guard(inStep_);
    bool turn = false;
    int n = NextFrame(&turn);
    // Turning at an end keeps the play frame (no SetPlayMode).
    if (turn) mode_ = mode_ == PLAY_FORWARD ? PLAY_BACKWARD : PLAY_FORWARD;
    GetSequence().SetPlayFrame(n);
}

}  // namespace Kor
