// The document of korvane-masks: a numbered sequence of 1-bit masks, one a
// frame. File › Open reads the numbered siblings of the chosen BMP
// ("name0001.bmp", "name0002.bmp", ... from the lowest number found next to
// it upwards); File › New makes a short sequence of a moving disc; Save
// writes every frame back under its number with the contour library's BMP
// writer. The document is the sequence its view plays, and each frame is a
// mask owner: the editor's strokes come back as undoable actions ("Brush",
// "Fill").
#pragma once

#include "contour/bitmap.h"
#include "framework/document/action.h"
#include "framework/document/doc.h"
#include "framework/mask_editor/mask_owner.h"
#include "framework/playback/sequence.h"

#include <memory>
#include <string>
#include <vector>

namespace masks {

class MaskDoc;

// One frame of the sequence: its mask, which the editor edits.
class MaskFrame : public Kor::MaskOwner {
public:
    MaskFrame(MaskDoc& doc, img::bitmap mask) : doc_(doc), mask_(std::move(mask)) {}
    ~MaskFrame() override = default;
    const img::bitmap& GetMask() const override { return mask_; }
    // Replaces the mask through an undoable action of the document.
    void SetMask(const img::bitmap& mask, const std::string& name) override;

private:
    friend class MaskDoc;
    MaskDoc& doc_;
    img::bitmap mask_;
};

class MaskDoc : public Kor::Doc, public Kor::Sequence {
public:
    // The pixels of a frame changed (`frame`), or every frame (-1).
    class FramesChange : public Event {
    public:
        FramesChange(Doc* d, int f) : Event(d), frame(f) {}
        int frame;
    };
    // The current or the play frame moved.
    class FrameChange : public Event {
    public:
        using Event::Event;
    };

    // The sequence that File › New makes.
    static constexpr unsigned kNewWidth = 96, kNewHeight = 64;
    static constexpr int kNewFrames = 12;

    MaskDoc() = default;
    ~MaskDoc() override;

    // A document without frames is empty (also for the application).
    bool IsEmpty() const override { return frames_.empty(); }
    void New() override;
    void Close() override;

    int GetFrameBase() const override { return base_; }
    int GetFrameCount() const override { return int(frames_.size()); }
    std::pair<int, int> GetWorkArea() const override { return workArea_; }
    void SetWorkArea(int first, int end) override;
    int GetCurrentFrame() const override { return current_; }
    void SetCurrentFrame(int frame) override;
    int GetPlayFrame() const override { return play_; }
    void SetPlayFrame(int frame) override;
    const img::bitmap* GetFrameMask(int frame) const override;
    bool CanFollow() const override { return false; }

    // The owner of frame `frame` (null outside the sequence).
    MaskFrame* GetFrame(int frame) const;
    // Replaces the mask of a frame, without an action; FramesChange.
    void SetFrameMask(int frame, const img::bitmap& mask);
    // The file of frame `frame` when saved under `path`'s numbering.
    std::string FrameFileName(const std::string& path, int frame) const;

    // Whether two masks have the same size and pixels (padding aside).
    static bool SameMask(const img::bitmap& a, const img::bitmap& b);
    // A frame of the moving disc of File › New.
    static img::bitmap DiscFrame(int frame);

protected:
    void DoOpen(const std::string& path, int filterIndex) override;
    void DoSave(const std::string& path) override;

private:
    void SetFrames(std::vector<img::bitmap> masks, int base, int digits);

    std::vector<std::unique_ptr<MaskFrame>> frames_;
    int base_ = 1;    // the number of frame 0 in the file names
    int digits_ = 4;  // the width of the numbers in the file names
    std::pair<int, int> workArea_{0, 0};
    int current_ = 0, play_ = 0;
};

// A frame's new mask; undo puts the old one back.
class MaskAction : public Kor::Action {
public:
    MaskAction(MaskDoc& doc, int frame, const img::bitmap& mask, std::string name)
        : doc_(doc), frame_(frame), after_(mask), name_(std::move(name)) {}
    // False (not queued) when the mask does not change.
    bool Perform() override;
    void Undo() override;
    void Reexecute() override;
    std::string GetName() const override;

private:
    MaskDoc& doc_;
    int frame_;
    img::bitmap before_, after_;
    std::string name_;
};

}  // namespace masks
