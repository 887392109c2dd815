#include "framework/mask_editor/mask_editor.h"

#include "framework/mask_editor/mask_command_ids.h"
#include "framework/views/zoom_view.h"

#include <algorithm>
#include <exception>

namespace Kor {

// --- MaskOwner ---

MaskOwner::~MaskOwner() {
    std::vector<MaskEditor*> editors;
    editors.swap(editors_);
    for (MaskEditor* e : editors) e->OwnerGone(this);
}

void MaskOwner::CloseEditors() {
    std::vector<MaskEditor*> editors = editors_;
    for (MaskEditor* e : editors) e->Close();
}

// --- MaskEditor ---

MaskEditor::MaskEditor(ZoomView& bench) : bench_(&bench), brush_(*this), fill_(*this) {}

MaskEditor::~MaskEditor() {
    try {
        Close();
    } catch (...) {
        // A destructor cannot report it; the owner keeps its last mask.
        if (owner_) OwnerGone(owner_);
    }
    bench_->ForgetTool(&brush_);
    bench_->ForgetTool(&fill_);
}

void MaskEditor::Open(MaskOwner& owner) {
    if (owner_) Close();
    // The copy comes first: when it fails, the editor stays closed.
    img::bitmap copy(owner.GetMask());
    buffer_ = std::move(copy);
    owner_ = &owner;
    owner.editors_.push_back(this);
    StateChange e(this);
    Dispatch(e);
    if (owner_ == &owner) SelectTool(rememberedTool_);
}

void MaskEditor::Close() {
    if (!owner_) return;
    Tool* current = bench_->GetTool();
    std::exception_ptr failure;
    if (IsOwnTool(current)) {
        // Only the editor's own tools are remembered; another current tool
        // (the hand) stays on the bench.
        rememberedTool_ = current;
        try {
            // A stroke in progress ends here and goes to the owner.
            bench_->SetTool(nullptr);
        } catch (...) {
            failure = std::current_exception();
            if (bench_->GetTool() == current) bench_->ForgetTool(current);
        }
    }
    if (owner_) {
        auto& list = owner_->editors_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        owner_ = nullptr;
        FinishClosing();
    }
    if (failure) std::rethrow_exception(failure);
}

void MaskEditor::OwnerGone(MaskOwner* owner) {
    if (owner_ != owner) return;
    // Forgotten first: the stroke that ends now has nowhere to go.
    owner_ = nullptr;
    Tool* current = bench_->GetTool();
    if (IsOwnTool(current)) {
        rememberedTool_ = current;
        bench_->ForgetTool(current);
    }
    FinishClosing();
}

void MaskEditor::FinishClosing() {
    synchronizing_ = false;
    updateDuringSync_ = false;
    if (buffer_.owns()) {
        buffer_.resize(0, 0, 4);
    } else {
        delete[] buffer_.release();
        buffer_ = img::bitmap(0, 0, 4);
    }
    StateChange e(this);
    Dispatch(e);
}

void MaskEditor::ReadOwnerMask() {
    img::bitmap copy(owner_->GetMask());
    buffer_ = std::move(copy);
}

void MaskEditor::SendMaskChange() {
    MaskChange e(this);
    Dispatch(e);
}

void MaskEditor::Synchronize(const std::string& name) {
    if (!owner_ || synchronizing_) return;
    MaskOwner* owner = owner_;
    synchronizing_ = true;
    updateDuringSync_ = false;
    try {
        owner->SetMask(buffer_, name);
    } catch (...) {
        synchronizing_ = false;
        updateDuringSync_ = false;
        // The buffer is not left ahead of the owner: it shows what the owner
        // kept. A failure to read it again changes nothing of the report.
        if (owner_ == owner) {
            try {
                ReadOwnerMask();
                SendMaskChange();
            } catch (...) {
            }
        }
        throw;
    }
    synchronizing_ = false;
    bool reread = updateDuringSync_;
    updateDuringSync_ = false;
    if (owner_ != owner) return;  // closed from inside SetMask
    if (reread) ReadOwnerMask();
    SendMaskChange();
}

void MaskEditor::UpdateBuffer() {
    if (!owner_) return;
    if (synchronizing_) {
        updateDuringSync_ = true;
        return;
    }
    ReadOwnerMask();
    SendMaskChange();
}

// --- Commands ---

void MaskEditor::SelectTool(Tool* tool) {
    if (bench_->GetTool() != tool) bench_->SetTool(tool);
}

void MaskEditor::OnToolBrush() {
    if (IsOpen()) SelectTool(&brush_);
}

void MaskEditor::OnToolFill() {
    if (IsOpen()) SelectTool(&fill_);
}

void MaskEditor::OnUpdateToolBrush(plat::CmdUI* ui) {
    ui->SetCheck(bench_->GetTool() == &brush_ ? 1 : 0);
    ui->Enable(IsOpen());
}

void MaskEditor::OnUpdateToolFill(plat::CmdUI* ui) {
    ui->SetCheck(bench_->GetTool() == &fill_ ? 1 : 0);
    ui->Enable(IsOpen());
}

const plat::CommandTable* MaskEditor::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
                                      T::Command(ID_TOOL_BRUSH, &MaskEditor::OnToolBrush),
                                      T::Command(ID_TOOL_FILL, &MaskEditor::OnToolFill),
                                      T::Update(ID_TOOL_BRUSH, &MaskEditor::OnUpdateToolBrush),
                                      T::Update(ID_TOOL_FILL, &MaskEditor::OnUpdateToolFill),
                                  });
    return &table;
}

}  // namespace Kor
