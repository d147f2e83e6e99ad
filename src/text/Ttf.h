#pragma once
#include <cstdint>

struct BITMAP;
struct ALFONT_FONT;

// Anti-aliased TrueType text drawn into Allegro bitmaps. A null font is
// accepted everywhere and draws or measures nothing.
int ttf_init();
void ttf_exit();
int ttf_text_mode(int mode);
ALFONT_FONT* ttf_load_font(const char* path);
void ttf_destroy_font(ALFONT_FONT* font);
int ttf_set_font_size(ALFONT_FONT* font, int height);
int ttf_text_length(ALFONT_FONT* font, const char* text);
void ttf_textout_aa(BITMAP* bmp, ALFONT_FONT* font, const char* text, int x, int y, int color);
void ttf_textprintf_centre_aa(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
void ttf_textprintf_right_aa(BITMAP* bmp, ALFONT_FONT* font, int x, int y, int color, const char* format, ...)
    __attribute__((format(printf, 6, 7)));

// Font facts, 0 for a null font.
int ttf_get_font_height(const ALFONT_FONT* font);      // requested line height, pixels
int ttf_get_font_real_height(const ALFONT_FONT* font); // FreeType pixel size in use
int ttf_get_font_ascent(const ALFONT_FONT* font);      // pixels above the baseline
int ttf_cached_glyph_count(const ALFONT_FONT* font);   // glyphs rendered at this size
// Extra pixels after every glyph that advances the pen; 0 after loading.
void ttf_set_char_extra_spacing(ALFONT_FONT* font, int pixels);
