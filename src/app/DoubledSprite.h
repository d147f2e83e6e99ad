#pragma once

struct BITMAP;

// A sprite stretched to twice its size once, ahead of time, and then drawn
// like stretch_sprite(dest, original, x, y, 2w, 2h): the same pixels at the
// cost of a plain masked sprite. Where the doubled box is not wholly inside
// the clip rectangle the library stretches the original after all. The
// original must outlive this object.
class CDoubledSprite {
public:
    explicit CDoubledSprite(BITMAP* sprite);
    ~CDoubledSprite();
    CDoubledSprite(const CDoubledSprite&) = delete;
    CDoubledSprite& operator=(const CDoubledSprite&) = delete;

    void Draw(BITMAP* dest, int x, int y) const; // x, y: top left of the doubled box
    const BITMAP* Source() const { return source; }

private:
    BITMAP* source;            // the original
    BITMAP* doubled = nullptr; // mask colour where nothing lands
};
