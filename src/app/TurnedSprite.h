#pragma once

struct BITMAP;

// A sprite turned by a quarter turn once, ahead of time, and then drawn like
// rotate_sprite would draw the original: the same pixels, at the cost of a
// plain masked sprite. Where the turned box is not wholly inside the clip
// rectangle the original goes through rotate_sprite after all. The original
// must outlive this object.
class CTurnedSprite {
public:
    CTurnedSprite(BITMAP* sprite, int angle); // angle a multiple of 64 Allegro units
    ~CTurnedSprite();
    CTurnedSprite(const CTurnedSprite&) = delete;
    CTurnedSprite& operator=(const CTurnedSprite&) = delete;

    void Draw(BITMAP* dest, int x, int y) const; // x, y: the original's top left

private:
    BITMAP* source;          // the original
    int angle;               // Allegro angle units
    BITMAP* turned = nullptr; // mask colour where nothing lands
    int left = 0, top = 0;   // of the turned box, from the original's top left
};
