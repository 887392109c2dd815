// MaskEditor: edits the 1-bit mask of a MaskOwner on a zoomable view, the
// bench, with a circular brush (BrushTool) and a flood fill (FillTool).
// Open copies the owner's mask into the buffer, the edit copy the tools
// change, and gives the bench the tool last used; the buffer goes back to
// the owner once per brush stroke or fill (Synchronize, under the name
// "Brush" or "Fill"). The owner calls UpdateBuffer when its mask changed by
// other means (an undo). The host draws the buffer and repaints on
// MaskChange.
//
// Commands 65001 (brush) and 65002 (fill) make a tool current; the host
// adds the editor to its frame's command routing.
//
// States: closed (no owner, an empty buffer, none of its tools on the
// bench) and open (an owner, its mask in the buffer). Between the start and
// the end of a brush stroke the buffer is ahead of the owner; after every
// Synchronize and UpdateBuffer the two agree, also when SetMask throws (the
// buffer is read again from the owner before the error goes on).
#pragma once

#include "contour/bitmap.h"
#include "framework/events/event.h"
#include "framework/events/event_dispatcher.h"
#include "framework/mask_editor/brush_tool.h"
#include "framework/mask_editor/fill_tool.h"
#include "framework/mask_editor/mask_owner.h"
#include "framework/views/types.h"
#include "platform/cmd_target.h"

#include <string>

namespace Kor {

class ZoomView;
class Tool;

class MaskEditor : public plat::CmdTarget, public EventDispatcher {
public:
    class Event : public Kor::Event {
    public:
        explicit Event(MaskEditor* e) : editor(e) {}
        MaskEditor* editor;
    };
    // A mask was opened, or the editor closed.
    class StateChange : public Event {
    public:
        using Event::Event;
    };
    // The buffer was written back to the owner, or read again from it.
    class MaskChange : public Event {
    public:
        using Event::Event;
    };

    explicit MaskEditor(ZoomView& bench);
    // Closes first when open (a stroke in progress goes to the owner) and
    // takes its tools off the bench.
    ~MaskEditor() override;
    MaskEditor(const MaskEditor&) = delete;
    MaskEditor& operator=(const MaskEditor&) = delete;

    // Closes what is open, copies the owner's mask (nothing changes when
    // that throws), sends StateChange and gives the bench the remembered
    // tool.
    void Open(MaskOwner& owner);
    // Takes the editor's tool off the bench (its stroke in progress goes to
    // the owner), remembers it for the next Open, forgets the owner, empties
    // the buffer and sends StateChange. Does nothing while closed.
    void Close();
    bool IsOpen() const { return owner_ != nullptr; }

    ZoomView& GetBench() { return *bench_; }
    img::bitmap& GetBuffer() { return buffer_; }
    const img::bitmap& GetBuffer() const { return buffer_; }
    types::extent<unsigned> GetDim() const { return {buffer_.width(), buffer_.height()}; }
    BrushTool* Brush() { return &brush_; }
    FillTool* Fill() { return &fill_; }
    MaskOwner* GetMaskOwner() const { return owner_; }
    // The tool the bench gets at the next Open.
    Tool* GetRememberedTool() const { return rememberedTool_; }

    // Writes the buffer back to the owner under `name` and sends one
    // MaskChange. A change the owner reports from inside SetMask
    // (UpdateBuffer) is read after SetMask returns. When SetMask throws, the
    // buffer is read again from the owner and the error goes on.
    void Synchronize(const std::string& name);
    // Reads the owner's mask into the buffer and sends MaskChange (only while
    // open; while writing back, after SetMask returns).
    void UpdateBuffer();

    void OnToolBrush();
    void OnToolFill();
    void OnUpdateToolBrush(plat::CmdUI* ui);
    void OnUpdateToolFill(plat::CmdUI* ui);

protected:
    const plat::CommandTable* GetCommandTable() const override;

private:
    friend class MaskOwner;
    // The owner is going away: close without a word to it.
    void OwnerGone(MaskOwner* owner);
    // The closing steps after the tool is off the bench.
    void FinishClosing();
    void ReadOwnerMask();
    void SendMaskChange();
    void SelectTool(Tool* tool);
    bool IsOwnTool(const Tool* tool) const { return tool == &brush_ || tool == &fill_; }

    ZoomView* bench_;
    MaskOwner* owner_ = nullptr;
    img::bitmap buffer_{0, 0, 4};
    BrushTool brush_;
    FillTool fill_;
    bool synchronizing_ = false;
    bool updateDuringSync_ = false;  // the owner reported a change from inside SetMask
    Tool* rememberedTool_ = &brush_;
};

}  // namespace Kor
