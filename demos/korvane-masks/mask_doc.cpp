#include "demos/korvane-masks/mask_doc.h"

#include "contour/read_bmp.h"
#include "contour/write_bmp.h"
#include "demos/korvane-masks/masks_strings.h"
#include "framework/app/app_base.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace masks {

namespace {

// A file name split around the number at the end of its stem:
// "dir/disc0007.bmp" is {"dir/disc", 7, 4 digits, ".bmp"}.
struct Numbered {
    std::string prefix;
    long long number = -1;  // -1: the stem ends in no number
    int digits = 0;
    std::string extension;

    std::string Name(long long n) const {
        std::string text = std::to_string(n);
        if (int(text.size()) < digits) text.insert(0, std::size_t(digits) - text.size(), '0');
        return prefix + text + extension;
    }
};

Numbered Split(const std::string& path) {
    std::filesystem::path p(path);
    Numbered n;
    n.extension = p.extension().string();
    std::string stem = p.stem().string();
    std::size_t digitsAt = stem.size();
    while (digitsAt > 0 && std::isdigit(static_cast<unsigned char>(stem[digitsAt - 1]))) --digitsAt;
    std::string folder = p.has_parent_path() ? p.parent_path().string() + "/" : std::string();
    // Numbers of up to nine digits; a longer run is part of the name.
    if (digitsAt < stem.size() && stem.size() - digitsAt <= 9) {
        n.number = std::stoll(stem.substr(digitsAt));
        n.digits = int(stem.size() - digitsAt);
    }
    n.prefix = folder + stem.substr(0, n.number >= 0 ? digitsAt : stem.size());
    return n;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

// The most frames a sequence read from files may have.
constexpr int kMaxFrames = 10000;

}  // namespace

// --- MaskFrame ---

void MaskFrame::SetMask(const img::bitmap& mask, const std::string& name) {
    for (int i = 0; i < doc_.GetFrameCount(); ++i)
        if (doc_.GetFrame(i) == this) {
            doc_.Perform(new MaskAction(doc_, i, mask, name));
            return;
        }
}

// --- MaskDoc ---

MaskDoc::~MaskDoc() = default;

void MaskDoc::SetFrames(std::vector<img::bitmap> masks, int base, int digits) {
    std::vector<std::unique_ptr<MaskFrame>> old;
    old.swap(frames_);
    for (img::bitmap& m : masks) frames_.push_back(std::make_unique<MaskFrame>(*this, std::move(m)));
    base_ = base;
    digits_ = digits;
    workArea_ = {0, int(frames_.size())};
    current_ = play_ = 0;
    // The old frames go once the new ones are in place: an editor open on
    // one of them closes and sees a whole document.
    old.clear();
    FramesChange e(this, -1);
    Dispatch(e);
}

img::bitmap MaskDoc::DiscFrame(int frame) {
    img::bitmap mask(kNewWidth, kNewHeight, 4);
    mask.fill(false);
    // A disc of radius 14 rolls from left to right and drops a little.
    const double r = 14, cx = 18 + frame * 5.5, cy = 26 + frame * 1.0;
    for (unsigned y = 0; y < kNewHeight; ++y)
        for (unsigned x = 0; x < kNewWidth; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy < r * r) mask.set(x, y, true);
        }
    // The ground line.
    for (unsigned x = 0; x < kNewWidth; ++x) mask.set(x, kNewHeight - 6, true);
    return mask;
}

void MaskDoc::New() {
    std::vector<img::bitmap> masks;
    for (int i = 0; i < kNewFrames; ++i) masks.push_back(DiscFrame(i));
    SetFrames(std::move(masks), 1, 4);
    FileNameChange e(this);
    Dispatch(e);
}

void MaskDoc::Close() {
    Kor::Doc::Close();
    SetFrames({}, 1, 4);
}

void MaskDoc::DoOpen(const std::string& path, int) {
    Numbered name = Split(path);
    std::vector<img::bitmap> masks;
    int base = 0, digits = 4;
    if (name.number < 0) {
        masks.emplace_back();
        img::read_bmp(path, masks.back());
    } else {
        // From the lowest number next to the chosen file upwards.
        long long first = name.number;
        while (first > 0 && name.number - first < kMaxFrames && Exists(name.Name(first - 1))) --first;
        for (long long n = first; int(masks.size()) < kMaxFrames && Exists(name.Name(n)); ++n) {
            masks.emplace_back();
            img::read_bmp(name.Name(n), masks.back());
        }
        if (masks.empty()) {  // the chosen file itself, should it have gone meanwhile
            masks.emplace_back();
            img::read_bmp(path, masks.back());
            first = name.number;
        }
        base = int(first);
        digits = name.digits;
    }
    SetFrames(std::move(masks), base, digits);
}

std::string MaskDoc::FrameFileName(const std::string& path, int frame) const {
    Numbered name = Split(path);
    if (name.number < 0) {
        // One frame keeps the name; more get numbers after the stem.
        if (frames_.size() == 1) return path;
        name.digits = digits_;
    }
    return name.Name((long long)base_ + frame);
}

void MaskDoc::DoSave(const std::string& path) {
    for (int i = 0; i < GetFrameCount(); ++i) img::write_bmp(FrameFileName(path, i), frames_[std::size_t(i)]->mask_);
}

void MaskDoc::SetWorkArea(int first, int end) {
    workArea_ = {first, end};
    FrameChange e(this);
    Dispatch(e);
}

void MaskDoc::SetCurrentFrame(int frame) {
    if (frame < 0 || frame >= GetFrameCount() || frame == current_) return;
    current_ = frame;
    FrameChange e(this);
    Dispatch(e);
}

void MaskDoc::SetPlayFrame(int frame) {
    if (frame < 0 || frame >= GetFrameCount() || frame == play_) return;
    play_ = frame;
    FrameChange e(this);
    Dispatch(e);
}

const img::bitmap* MaskDoc::GetFrameMask(int frame) const {
    MaskFrame* f = GetFrame(frame);
    return f ? &f->mask_ : nullptr;
}

MaskFrame* MaskDoc::GetFrame(int frame) const {
    return frame >= 0 && frame < GetFrameCount() ? frames_[std::size_t(frame)].get() : nullptr;
}

void MaskDoc::SetFrameMask(int frame, const img::bitmap& mask) {
    MaskFrame* f = GetFrame(frame);
    if (!f) return;
    f->mask_ = mask;
    FramesChange e(this, frame);
    Dispatch(e);
}

bool MaskDoc::SameMask(const img::bitmap& a, const img::bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    if (a.size() == 0 || b.size() == 0) return a.size() == b.size() || a.width() == 0 || a.height() == 0;
    const std::uint32_t bytes = img::bitmap::row_bytes(a.width());
    const unsigned lastBits = a.width() % 8;
    const img::bitmap::byte lastMask = lastBits ? img::bitmap::byte(0xFFu << (8 - lastBits)) : 0xFF;
    for (std::uint32_t y = 0; y < a.height(); ++y) {
        const img::bitmap::byte *ra = a.row(y), *rb = b.row(y);
        if (!std::equal(ra, ra + bytes - 1, rb)) return false;
        if ((ra[bytes - 1] ^ rb[bytes - 1]) & lastMask) return false;
    }
    return true;
}

// --- MaskAction ---

bool MaskAction::Perform() {
    const img::bitmap* mask = doc_.GetFrameMask(frame_);
    if (!mask || MaskDoc::SameMask(*mask, after_)) return false;
    before_ = *mask;
    doc_.SetFrameMask(frame_, after_);
    return true;
}

void MaskAction::Undo() { doc_.SetFrameMask(frame_, before_); }
void MaskAction::Reexecute() { doc_.SetFrameMask(frame_, after_); }

std::string MaskAction::GetName() const {
    if (name_ == "Brush") return Kor::AppBase::LoadString(IDS_ACTION_BRUSH);
    if (name_ == "Fill") return Kor::AppBase::LoadString(IDS_ACTION_FILL);
    return name_;
}

}  // namespace masks
