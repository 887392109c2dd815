// MaskOwner: what an object of the application implements to have its
// 1-bit mask edited by a MaskEditor. The editor reads the mask when it
// opens and whenever the owner says it changed (MaskEditor::UpdateBuffer),
// and writes its edit copy back once per brush stroke or fill under the
// name of what was done ("Brush" or "Fill"), which the owner may use for
// its undo history.
//
// An owner that goes away closes the editors open on it. An owner that
// wants a stroke in progress written back to it before it goes calls
// CloseEditors first, while it is still whole.
#pragma once

#include "contour/bitmap.h"

#include <string>
#include <vector>

namespace Kor {

class MaskEditor;

class MaskOwner {
public:
    virtual const img::bitmap& GetMask() const = 0;
    virtual void SetMask(const img::bitmap& mask, const std::string& name) = 0;

protected:
    MaskOwner() = default;
    // A copy is a new owner: no editor is open on it.
    MaskOwner(const MaskOwner&) {}
    MaskOwner& operator=(const MaskOwner&) { return *this; }
    virtual ~MaskOwner();

    // Closes every editor open on this owner (each writes back a stroke in
    // progress first).
    void CloseEditors();

private:
    friend class MaskEditor;
    std::vector<MaskEditor*> editors_;  // the editors open on this owner
};

}  // namespace Kor
