// Shared drawing helpers: colours, the top-left light every sprite is shaded by, outlines, PNGs.
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace art {

const Rgb kInk = {0.085, 0.055, 0.10};

Rgb rgb255(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb lighter(const Rgb& c, double t) {
    return mix(c, {1.0, 1.0, 1.0}, t);
}

Rgb darker(const Rgb& c, double t) {
    return mix(c, {0.0, 0.0, 0.0}, t);
}

void setColour(cairo_t* cr, const Rgb& c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, const Rgb& c, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

void fillLit(cairo_t* cr, const Rgb& base, double relief) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    const double w = std::max(x1 - x0, 1.0);
    const double h = std::max(y1 - y0, 1.0);
    // Across a long thin part the light changes over its short side, as on a cylinder.
    double dx = 1.0 / w;
    double dy = 1.0 / h;
    const double n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    const double span = w * dx + h * dy;
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x0 + dx * span, y0 + dy * span);
    addStop(p, 0.0, lighter(base, 0.55 * relief));
    addStop(p, 0.28, lighter(base, 0.15 * relief));
    addStop(p, 0.62, base);
    addStop(p, 1.0, darker(base, 0.5 * relief));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void strokeDevice(cairo_t* cr, const Rgb& c, double width, double alpha) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    setColour(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
}

void litShape(cairo_t* cr, const Rgb& base, double relief, double outline) {
    fillLit(cr, base, relief);
    if (outline > 0) {
        strokeDevice(cr, kInk, outline);
    }
    cairo_new_path(cr);
}

void shine(cairo_t* cr, double x, double y, double radius, double alpha) {
    cairo_user_to_device(cr, &x, &y);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    const double cx = x - radius * 0.35;
    const double cy = y - radius * 0.35;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void glow(cairo_t* cr, double x, double y, double radius, const Rgb& c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    addStop(p, 0.0, c, alpha);
    addStop(p, 0.45, c, alpha * 0.45);
    addStop(p, 1.0, c, 0.0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

cairo_surface_t* newSurface(int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot make a drawing surface");
    }
    return s;
}

void makeParent(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent);
    }
}

std::string inData(const std::string& dataDir, const std::string& name) {
    return (std::filesystem::path(dataDir) / name).lexically_normal().string();
}

void savePng(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    std::uint32_t corner = 0;
    std::memcpy(&corner, data, sizeof corner);
    if (corner != 0) {
        throw std::runtime_error(path + ": top-left pixel is not transparent");
    }
    // That clear corner is stored as black, and the game keys out every black pixel whatever its
    // alpha. Dark paint thinned out at an edge can round to black too: lift each such pixel that
    // shows at all to the faintest colour that is not.
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
            if (row[x] != 0 && (row[x] & 0xFFFFFFu) == 0) {
                row[x] |= 0x010101u;
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    makeParent(path);
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace art
