#include "platform/dc.h"

#include "platform/bitmap_surface.h"

#include <cairo.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace plat {

namespace {

void SetColor(cairo_t* cr, Color c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

Rect SurfaceRect(cairo_surface_t* s) {
    return Rect(0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
}

std::uint32_t* SurfaceRow(cairo_surface_t* s, int y) {
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                            std::ptrdiff_t(y) * cairo_image_surface_get_stride(s));
}

// Bounds of a list of points, grown by the pen.
Rect PointBounds(const std::vector<Point>& pts, int grow) {
    Rect r;
    for (const Point& p : pts) r = r.Union(Rect(p.x, p.y, p.x + 1, p.y + 1));
    return r.Inflate(grow, grow);
}

}  // namespace

DC::DC(Bitmap& target) : DC(Target{&target, Point(), Region(Rect(Point(), target.GetSize())), nullptr}) {}

DC::DC(const Target& t)
    : surface_(cairo_surface_reference(BitmapSurface::Of(*t.surface))),
      cr_(cairo_create(surface_)),
      base_(t.base),
      limit_(t.limit),
      onDone_(t.done) {
    limit_.Intersect(SurfaceRect(surface_));
    st_.clip = limit_;
}

DC::DC(DC&& o) noexcept
    : surface_(std::exchange(o.surface_, nullptr)),
      cr_(std::exchange(o.cr_, nullptr)),
      base_(o.base_),
      limit_(o.limit_),
      st_(o.st_),
      saved_(std::move(o.saved_)),
      dirty_(o.dirty_),
      onDone_(std::move(o.onDone_)) {
    o.onDone_ = nullptr;
}

DC::~DC() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) {
        cairo_surface_flush(surface_);
        cairo_surface_destroy(surface_);
    }
    if (onDone_ && !dirty_.IsEmpty()) onDone_(dirty_);
}

int DC::Save() {
    saved_.push_back(st_);
    return int(saved_.size());
}

void DC::Restore(int level) {
    if (saved_.empty()) return;
    std::size_t keep = level < 0 ? saved_.size() - 1 : std::size_t(std::max(level - 1, 0));
    if (keep >= saved_.size()) return;
    st_ = saved_[keep];
    saved_.resize(keep);
}

Pen DC::SelectPen(const Pen& pen) { return std::exchange(st_.pen, pen); }
Brush DC::SelectBrush(const Brush& brush) { return std::exchange(st_.brush, brush); }
Font DC::SelectFont(const Font& font) { return std::exchange(st_.font, font); }
Color DC::SetTextColor(Color c) { return std::exchange(st_.textColor, c); }
Color DC::SetBkColor(Color c) { return std::exchange(st_.bkColor, c); }
int DC::SetBkMode(int mode) { return std::exchange(st_.bkMode, mode); }
int DC::SetROP2(int mode) { return std::exchange(st_.rop2, mode); }

Point DC::SetViewportOrg(Point p) { return std::exchange(st_.origin, p); }
Point DC::OffsetViewportOrg(int dx, int dy) {
    Point old = st_.origin;
    st_.origin.Offset(dx, dy);
    return old;
}

Region DC::ClipOf(const Rect& logical) const {
    Region r(logical.Offsetted(DeviceOrigin()));
    r.Intersect(st_.clip);
    return r;
}

void DC::IntersectClipRect(const Rect& r) { st_.clip.Intersect(r.Offsetted(DeviceOrigin())); }
void DC::ExcludeClipRect(const Rect& r) { st_.clip.Subtract(r.Offsetted(DeviceOrigin())); }

void DC::SelectClipRegion(const Region* r) {
    st_.clip = limit_;
    if (r) {
        Region dev = *r;
        dev.Offset(DeviceOrigin());
        st_.clip.Intersect(dev);
    }
}

Rect DC::GetClipBox() const { return st_.clip.Bounds().Offsetted(-DeviceOrigin()); }

bool DC::IsVisible(const Rect& r) const { return st_.clip.Intersects(r.Offsetted(DeviceOrigin())); }

void DC::Prepare() {
    cairo_reset_clip(cr_);
    cairo_identity_matrix(cr_);
    cairo_new_path(cr_);
    for (const Rect& r : st_.clip.Rects()) cairo_rectangle(cr_, r.left, r.top, r.Width(), r.Height());
    if (st_.clip.IsEmpty()) cairo_rectangle(cr_, 0, 0, 0, 0);
    cairo_clip(cr_);
    Point o = DeviceOrigin();
    cairo_translate(cr_, o.x, o.y);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
}

void DC::Touch(const Rect& logical) {
    Rect r = logical.Offsetted(DeviceOrigin()).Intersection(st_.clip.Bounds());
    dirty_ = dirty_.Union(r);
}

std::uint32_t DC::XorConstant(Color c) const {
    switch (st_.rop2) {
    case R2_NOT: return 0xFFFFFFu;
    case R2_XORPEN: return c.Packed();
    case R2_NOTXORPEN: return ~c.Packed() & 0xFFFFFFu;
    default: return 0;
    }
}

void DC::XorPixels(const Region& where, std::uint32_t k) {
    cairo_surface_flush(surface_);
    for (const Rect& r : where.Rects())
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = SurfaceRow(surface_, y);
            for (int x = r.left; x < r.right; ++x) row[x] ^= k;
        }
    cairo_surface_mark_dirty(surface_);
}

// Renders the coverage of a figure into an 8-bit mask (no anti-aliasing, so
// the same figure always covers the same pixels) and inverts those pixels.
void DC::XorCoverage(const std::function<void(cairo_t*)>& path, bool fill, int width, std::uint32_t k) {
    Rect box = st_.clip.Bounds();
    if (box.IsEmpty() || k == 0) return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, box.Width(), box.Height());
    cairo_t* mc = cairo_create(mask);
    for (const Rect& r : st_.clip.Rects())
        cairo_rectangle(mc, r.left - box.left, r.top - box.top, r.Width(), r.Height());
    cairo_clip(mc);
    Point o = DeviceOrigin();
    cairo_translate(mc, o.x - box.left, o.y - box.top);
    cairo_set_antialias(mc, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(mc, CAIRO_LINE_CAP_SQUARE);
    cairo_set_source_rgba(mc, 0, 0, 0, 1);
    path(mc);
    if (fill) {
        cairo_fill(mc);
    } else {
        cairo_set_line_width(mc, std::max(width, 1));
        cairo_stroke(mc);
    }
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    cairo_surface_flush(surface_);
    const unsigned char* mdata = cairo_image_surface_get_data(mask);
    int mstride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < box.Height(); ++y) {
        std::uint32_t* row = SurfaceRow(surface_, box.top + y);
        const unsigned char* mrow = mdata + std::ptrdiff_t(y) * mstride;
        for (int x = 0; x < box.Width(); ++x)
            if (mrow[x]) row[box.left + x] ^= k;
    }
    cairo_surface_mark_dirty(surface_);
    cairo_surface_destroy(mask);
}

void DC::StrokeOrInvert(const std::function<void(cairo_t*)>& path, bool fill, Color c, int width) {
    if (st_.rop2 != R2_COPYPEN) {
        XorCoverage(path, fill, width, XorConstant(c));
        return;
    }
    Prepare();
    SetColor(cr_, c);
    path(cr_);
    if (fill) {
        cairo_fill(cr_);
    } else {
        cairo_set_line_width(cr_, std::max(width, 1));
        cairo_stroke(cr_);
    }
}

// Lines run through pixel centres so that a one-pixel pen covers exactly one
// row or column of pixels.
namespace {
double Centre(int v) { return v + 0.5; }
}  // namespace

void DC::MoveTo(Point p) { st_.current = p; }

void DC::LineTo(Point p) {
    Polyline({st_.current, p});
    st_.current = p;
}

void DC::Polyline(const std::vector<Point>& points) {
    if (points.size() < 2 || st_.pen.style == Pen::Null) return;
    StrokeOrInvert(
        [&](cairo_t* cr) {
            cairo_move_to(cr, Centre(points[0].x), Centre(points[0].y));
            for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, Centre(points[i].x), Centre(points[i].y));
        },
        false, st_.pen.color, st_.pen.width);
    Touch(PointBounds(points, st_.pen.width));
}

bool DC::PolyBezier(const std::vector<Point>& points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return false;
    if (st_.pen.style == Pen::Null) return true;
    StrokeOrInvert(
        [&](cairo_t* cr) {
            cairo_move_to(cr, Centre(points[0].x), Centre(points[0].y));
            for (std::size_t i = 1; i + 2 < points.size(); i += 3)
                cairo_curve_to(cr, Centre(points[i].x), Centre(points[i].y), Centre(points[i + 1].x),
                               Centre(points[i + 1].y), Centre(points[i + 2].x), Centre(points[i + 2].y));
        },
        false, st_.pen.color, st_.pen.width);
    Touch(PointBounds(points, st_.pen.width));
    return true;
}

void DC::Polygon(const std::vector<Point>& points) {
    if (points.size() < 3) return;
    auto path = [&](cairo_t* cr) {
        cairo_move_to(cr, Centre(points[0].x), Centre(points[0].y));
        for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, Centre(points[i].x), Centre(points[i].y));
        cairo_close_path(cr);
    };
    if (!st_.brush.hollow) StrokeOrInvert(path, true, st_.brush.color, 0);
    if (st_.pen.style != Pen::Null) StrokeOrInvert(path, false, st_.pen.color, st_.pen.width);
    Touch(PointBounds(points, st_.pen.width));
}

// The outline lies inside the rectangle: a one-pixel pen draws on its first
// and last rows and columns, and the brush fills what is inside.
void DC::Rectangle(const Rect& r0) {
    Rect r = r0;
    r.Normalize();
    if (r.IsEmpty()) return;
    bool pen = st_.pen.style != Pen::Null && st_.pen.width > 0;
    int w = pen ? st_.pen.width : 0;
    if (!st_.brush.hollow) {
        Rect inner = r;
        inner.Deflate(w, w);
        if (!inner.IsEmpty())
            StrokeOrInvert([&](cairo_t* cr) { cairo_rectangle(cr, inner.left, inner.top, inner.Width(), inner.Height()); },
                           true, st_.brush.color, 0);
    }
    if (pen) {
        double half = w / 2.0;
        StrokeOrInvert(
            [&](cairo_t* cr) {
                cairo_rectangle(cr, r.left + half, r.top + half, r.Width() - w, r.Height() - w);
            },
            false, st_.pen.color, w);
    }
    Touch(r);
}

void DC::Ellipse(const Rect& r0) {
    Rect r = r0;
    r.Normalize();
    if (r.IsEmpty()) return;
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    double rx = (r.Width() - 1) / 2.0, ry = (r.Height() - 1) / 2.0;
    auto path = [&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, std::max(rx, 0.01), std::max(ry, 0.01));
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    };
    if (!st_.brush.hollow) StrokeOrInvert(path, true, st_.brush.color, 0);
    if (st_.pen.style != Pen::Null) StrokeOrInvert(path, false, st_.pen.color, st_.pen.width);
    Touch(Rect(r).Inflate(st_.pen.width, st_.pen.width));
}

void DC::FillSolidRect(const Rect& r, Color c) {
    if (r.IsEmpty()) return;
    Prepare();
    SetColor(cr_, c);
    cairo_rectangle(cr_, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr_);
    Touch(r);
}

void DC::FillRect(const Rect& r, const Brush& b) {
    if (!b.hollow) FillSolidRect(r, b.color);
}

void DC::FillRegion(const Region& rgn, const Brush& b) {
    if (b.hollow) return;
    for (const Rect& r : rgn.Rects()) FillSolidRect(r, b.color);
}

void DC::FrameRect(const Rect& r, Color c) { Draw3dRect(r, c, c); }

void DC::Draw3dRect(const Rect& r, Color topLeft, Color bottomRight) {
    int x = r.left, y = r.top, cx = r.Width(), cy = r.Height();
    if (cx <= 0 || cy <= 0) return;
    FillSolidRect(Rect(x, y, x + cx - 1, y + 1), topLeft);
    FillSolidRect(Rect(x, y, x + 1, y + cy - 1), topLeft);
    FillSolidRect(Rect(x + cx - 1, y, x + cx, y + cy), bottomRight);
    FillSolidRect(Rect(x, y + cy - 1, x + cx, y + cy), bottomRight);
}

void DC::DrawEdge(const Rect& r, bool sunken) {
    Rect inner = r;
    inner.Deflate(1, 1);
    if (sunken) {
        Draw3dRect(r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Draw3dRect(inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    } else {
        Draw3dRect(r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Draw3dRect(inner, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
}

void DC::DrawFocusRect(const Rect& r0) {
    Rect r = r0;
    r.Normalize();
    if (r.IsEmpty()) return;
    Point o = DeviceOrigin();
    Region border(r.Offsetted(o));
    border.Subtract(Rect(r).Deflate(1, 1).Offsetted(o));
    border.Intersect(st_.clip);
    // Every other pixel of the border, chosen by surface position, so that a
    // second call inverts exactly the same pixels back.
    cairo_surface_flush(surface_);
    for (const Rect& b : border.Rects())
        for (int y = b.top; y < b.bottom; ++y) {
            std::uint32_t* row = SurfaceRow(surface_, y);
            for (int x = b.left; x < b.right; ++x)
                if (((x + y) & 1) == 0) row[x] ^= 0xFFFFFFu;
        }
    cairo_surface_mark_dirty(surface_);
    Touch(r);
}

void DC::InvertRect(const Rect& r) {
    XorPixels(ClipOf(r), 0xFFFFFFu);
    Touch(r);
}

namespace {

PangoLayout* MakeLayout(cairo_t* cr, const Font& font) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), opts);
    cairo_font_options_destroy(opts);
    pango_layout_context_changed(layout);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.face.c_str());
    pango_font_description_set_absolute_size(desc, font.height * PANGO_SCALE);
    pango_font_description_set_weight(desc, PangoWeight(font.weight));
    pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    return layout;
}

// "&x" underlines x (a mnemonic) and "&&" is a literal ampersand.
void SetLayoutText(PangoLayout* layout, const std::string& text, bool prefix) {
    if (!prefix || text.find('&') == std::string::npos) {
        pango_layout_set_text(layout, text.c_str(), int(text.size()));
        return;
    }
    gchar* escaped = g_markup_escape_text(text.c_str(), gssize(text.size()));
    pango_layout_set_markup_with_accel(layout, escaped, -1, '&', nullptr);
    g_free(escaped);
}

}  // namespace

int DC::DrawText(const std::string& text, Rect& r, unsigned format) {
    Prepare();
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
    PangoLayout* layout = MakeLayout(cr_, st_.font);
    SetLayoutText(layout, text, !(format & DT_NOPREFIX));
    bool single = format & DT_SINGLELINE;
    pango_layout_set_single_paragraph_mode(layout, single);
    bool wrap = (format & DT_WORDBREAK) && !single;
    bool ellipsis = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
    bool sized = (wrap || ellipsis) && r.Width() > 0;
    if (sized) {
        pango_layout_set_width(layout, r.Width() * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        if (ellipsis && !wrap) pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        pango_layout_set_alignment(layout, (format & DT_CENTER)  ? PANGO_ALIGN_CENTER
                                           : (format & DT_RIGHT) ? PANGO_ALIGN_RIGHT
                                                                 : PANGO_ALIGN_LEFT);
    }
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    if (format & DT_CALCRECT) {
        if (!sized) r.right = r.left + tw;
        r.bottom = r.top + th;
        g_object_unref(layout);
        return th;
    }
    int x = r.left, y = r.top;
    if (!sized) {
        if (format & DT_CENTER) x = r.left + (r.Width() - tw) / 2;
        else if (format & DT_RIGHT) x = r.right - tw;
    }
    if (format & DT_VCENTER) y = r.top + (r.Height() - th) / 2;
    else if (format & DT_BOTTOM) y = r.bottom - th;
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr_, r.left, r.top, r.Width(), r.Height());
        cairo_clip(cr_);
    }
    if (st_.bkMode == OPAQUE) {
        SetColor(cr_, st_.bkColor);
        cairo_rectangle(cr_, sized ? r.left : x, y, sized ? r.Width() : tw, th);
        cairo_fill(cr_);
    }
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    SetColor(cr_, st_.textColor);
    cairo_move_to(cr_, x, y);
    pango_cairo_show_layout(cr_, layout);
    g_object_unref(layout);
    Touch((format & DT_NOCLIP) ? Rect(x, y, x + tw, y + th).Union(r) : r);
    return th;
}

void DC::TextOut(int x, int y, const std::string& text) {
    Size s = GetTextExtent(text);
    Rect r(x, y, x + s.cx, y + s.cy);
    DrawText(text, r, DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
}

Size DC::GetTextExtent(const std::string& text) {
    Prepare();
    PangoLayout* layout = MakeLayout(cr_, st_.font);
    pango_layout_set_text(layout, text.c_str(), int(text.size()));
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    return {w, h};
}

int DC::GetTextHeight() { return GetTextExtent("Ag").cy; }

void DC::CopyFrom(cairo_surface_t* src, Point srcDevice, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0 || !src) return;
    cairo_surface_t* owned = nullptr;
    if (src == surface_) {
        // Overlapping copies within one surface go through a copy of the source.
        owned = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_t* t = cairo_create(owned);
        cairo_set_operator(t, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(t, src, -srcDevice.x, -srcDevice.y);
        cairo_paint(t);
        cairo_destroy(t);
        src = owned;
        srcDevice = Point();
    }
    Prepare();
    cairo_set_source_surface(cr_, src, x - srcDevice.x, y - srcDevice.y);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
    if (owned) cairo_surface_destroy(owned);
    Touch(Rect(x, y, x + w, y + h));
}

void DC::BitBlt(int x, int y, int w, int h, const DC& src, int sx, int sy) {
    CopyFrom(src.surface_, src.DeviceOrigin() + Point(sx, sy), x, y, w, h);
}

void DC::BitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy) {
    CopyFrom(BitmapSurface::Of(src), Point(sx, sy), x, y, w, h);
}

void DC::StretchBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, int sw, int sh) {
    if (src.IsNull() || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    Prepare();
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, double(w) / sw, double(h) / sh);
    cairo_set_source_surface(cr_, BitmapSurface::Of(src), -sx, -sy);
    cairo_pattern_t* pattern = cairo_get_source(cr_);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    // The edge pixels reach to the edge of the block instead of fading out.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_paint(cr_);
    Touch(Rect(x, y, x + w, y + h));
}

void DC::MaskBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, const Bitmap& mask, int mx,
                 int my) {
    if (src.IsNull() || w <= 0 || h <= 0) return;
    Point o = DeviceOrigin();
    Region where = ClipOf(Rect(x, y, x + w, y + h));
    cairo_surface_flush(surface_);
    for (const Rect& b : where.Rects())
        for (int dy = b.top; dy < b.bottom; ++dy) {
            std::uint32_t* row = SurfaceRow(surface_, dy);
            int ly = dy - o.y - y;  // offset inside the copied block
            for (int dx = b.left; dx < b.right; ++dx) {
                int lx = dx - o.x - x;
                std::uint32_t s = src.GetPixel(sx + lx, sy + ly).Packed();
                bool set = mask.IsNull() || mask.GetPixel(mx + lx, my + ly).Packed() != 0;
                row[dx] = set ? (row[dx] & 0xFF000000u) | s : row[dx] | s;
            }
        }
    cairo_surface_mark_dirty(surface_);
    Touch(Rect(x, y, x + w, y + h));
}

void DC::DrawImage(int x, int y, const Bitmap& image) {
    if (image.IsNull()) return;
    Prepare();
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    cairo_set_source_surface(cr_, BitmapSurface::Of(image), x, y);
    cairo_rectangle(cr_, x, y, image.Width(), image.Height());
    cairo_fill(cr_);
    Touch(Rect(Point(x, y), image.GetSize()));
}

Color DC::GetPixel(Point p) const {
    Point d = p + DeviceOrigin();
    if (!SurfaceRect(surface_).Contains(d)) return Color();
    cairo_surface_flush(surface_);
    return Color::FromPacked(SurfaceRow(surface_, d.y)[d.x]);
}

void DC::SetPixel(Point p, Color c) {
    Point d = p + DeviceOrigin();
    if (!st_.clip.Contains(d)) return;
    cairo_surface_flush(surface_);
    std::uint32_t& px = SurfaceRow(surface_, d.y)[d.x];
    px = (px & 0xFF000000u) | c.Packed();
    cairo_surface_mark_dirty(surface_);
    Touch(Rect(p.x, p.y, p.x + 1, p.y + 1));
}

}  // namespace plat
