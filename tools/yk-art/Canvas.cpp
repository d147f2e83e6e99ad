#include "Canvas.h"

#include <algorithm>

Canvas::Canvas(int w_, int h_, Px fill, float pixelsPerUnit)
    : w(w_), h(h_), k(pixelsPerUnit), px(size_t(w_) * h_, fill)
{
}

Box Canvas::Clip(Box b) const
{
    return {std::max(b.x0, 0), std::max(b.y0, 0), std::min(b.x1, w), std::min(b.y1, h)};
}

void Canvas::Blend(int x, int y, Rgb c, float a)
{
    if (x < 0 || y < 0 || x >= w || y >= h || a <= 0)
        return;
    Px& d = At(x, y);
    a = std::min(a, 1.0f);
    const float out = a + d.a * (1 - a);
    if (out <= 0)
        return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
}

void Canvas::Fill(const SdfFn& sdf, const PaintFn& paint, float opacity, Box box)
{
    const Box b = Clip(box);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const V2 p = Centre(x, y);
            const float cov = Clamp01(0.5f - sdf(p) * k);
            if (cov > 0)
                Blend(x, y, paint(p), cov * opacity);
        }
}

void Canvas::Fill(const SdfFn& sdf, Rgb colour, float opacity, Box box)
{
    Fill(sdf, [colour](V2) { return colour; }, opacity, box);
}

void Canvas::Paint(const PaintFn& paint, Box box)
{
    const Box b = Clip(box);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const Rgb c = paint(Centre(x, y));
            At(x, y) = {c.r, c.g, c.b, 1};
        }
}

void Canvas::Draw(const Canvas& src, int dx, int dy, float opacity)
{
    for (int y = 0; y < src.H(); ++y)
        for (int x = 0; x < src.W(); ++x) {
            const Px& s = src.At(x, y);
            Blend(x + dx, y + dy, {s.r, s.g, s.b}, s.a * opacity);
        }
}

void Canvas::Darken(const SdfFn& sdf, float amount, float soft, Box box)
{
    const Box b = Clip(box);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const float d = sdf(Centre(x, y));
            const float k = amount * Clamp01(0.5f - d / soft);
            Px& p = At(x, y);
            p.r *= 1 - k;
            p.g *= 1 - k;
            p.b *= 1 - k;
        }
}

Rgb Lit(Rgb base, N3 n, float specular, float shine)
{
    const float lx = -0.52f, ly = -0.62f, lz = 0.59f; // unit vector toward the light
    const float diff = std::max(0.0f, n.x * lx + n.y * ly + n.z * lz);
    // Half vector between the light and the viewer (0, 0, 1).
    float hx = lx, hy = ly, hz = lz + 1;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    hx /= hl, hy /= hl, hz /= hl;
    const float s = specular * std::pow(std::max(0.0f, n.x * hx + n.y * hy + n.z * hz), shine);
    const float k = 0.34f + 0.8f * diff;
    return Clamp(Rgb{base.r * k + s, base.g * k + s, base.b * k + s});
}

N3 PillowNormal(const SdfFn& sdf, V2 p, float radius)
{
    const float e = 0.5f;
    const float d = sdf(p);
    V2 g = {sdf({p.x + e, p.y}) - sdf({p.x - e, p.y}), sdf({p.x, p.y + e}) - sdf({p.x, p.y - e})};
    const float gl = Len(g);
    g = gl > 1e-5f ? g * (1 / gl) : V2{0, 0};
    const float t = Clamp01(-d / radius);   // 0 at the rim, 1 on the plateau
    const float u = 1 - t;                  // circular profile
    const float slope = u / std::sqrt(std::max(1 - u * u, 0.02f));
    N3 n = {g.x * slope, g.y * slope, 1};
    const float l = std::sqrt(n.x * n.x + n.y * n.y + 1);
    return {n.x / l, n.y / l, 1 / l};
}

void Body(Canvas& c, const SdfFn& sdf, const std::function<Rgb(V2, N3)>& paint, float bevel, float ow, Rgb outline,
          Box box)
{
    if (ow > 0)
        c.Fill([&](V2 p) { return sdf(p) - ow; }, outline, 1, box);
    c.Fill(sdf, [&](V2 p) { return paint(p, PillowNormal(sdf, p, bevel)); }, 1, box);
}

Canvas Canvas::Rotated180() const
{
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.At(w - 1 - x, h - 1 - y) = At(x, y);
    return out;
}

Canvas Canvas::Scaled(float factor) const
{
    const int ow = int(w * factor), oh = int(h * factor);
    Canvas out(ow, oh);
    auto at = [this](int x, int y) -> const Px& {
        return At(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
    };
    for (int y = 0; y < oh; ++y)
        for (int x = 0; x < ow; ++x) {
            const float sx = (x + 0.5f) / factor - 0.5f, sy = (y + 0.5f) / factor - 0.5f;
            const int x0 = int(std::floor(sx)), y0 = int(std::floor(sy));
            const float tx = sx - x0, ty = sy - y0;
            Px r{};
            const Px* q[4] = {&at(x0, y0), &at(x0 + 1, y0), &at(x0, y0 + 1), &at(x0 + 1, y0 + 1)};
            const float wgt[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
            for (int i = 0; i < 4; ++i) {
                // Premultiplied, so that transparent neighbours do not darken edges.
                r.r += q[i]->r * q[i]->a * wgt[i];
                r.g += q[i]->g * q[i]->a * wgt[i];
                r.b += q[i]->b * q[i]->a * wgt[i];
                r.a += q[i]->a * wgt[i];
            }
            if (r.a > 0)
                r.r /= r.a, r.g /= r.a, r.b /= r.a;
            out.At(x, y) = r;
        }
    return out;
}
