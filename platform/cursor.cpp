#include "platform/cursor.h"

#include "platform/app.h"
#include "platform/resources.h"

#include <sstream>

namespace plat {

Cursor Cursor::Standard(StdCursor shape) {
    Cursor c;
    c.shape_ = shape;
    return c;
}

Cursor Cursor::FromImage(const std::string& name, Bitmap image, Point hotSpot) {
    Cursor c;
    c.name_ = name;
    c.image_ = std::make_shared<const Bitmap>(std::move(image));
    c.hotSpot_ = hotSpot;
    return c;
}

Cursor Cursor::FromResource(const std::string& name) {
    Bitmap image = Bitmap::FromResource(name);
    if (image.IsNull()) {
        Cursor c;
        c.null_ = true;
        c.name_ = name;
        return c;
    }
    Point hot;
    std::string text;
    if (FindResource(name + ".hotspot", text)) {
        std::istringstream in(text);
        in >> hot.x >> hot.y;
    }
    return FromImage(name, std::move(image), hot);
}

void SetCursor(const Cursor& c) {
    if (App* app = App::Instance()) app->SetCursor(c);
}

}  // namespace plat
