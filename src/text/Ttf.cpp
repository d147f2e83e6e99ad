#include "text/Ttf.h"

// Placeholder until the FreeType layer lands: no fonts, no text.
int ttf_init() { return 0; }
void ttf_exit() {}
int ttf_text_mode(int) { return -1; }
ALFONT_FONT* ttf_load_font(const char*) { return nullptr; }
void ttf_destroy_font(ALFONT_FONT*) {}
int ttf_set_font_size(ALFONT_FONT*, int) { return -1; }
int ttf_text_length(ALFONT_FONT*, const char*) { return 0; }
void ttf_textout_aa(BITMAP*, ALFONT_FONT*, const char*, int, int, int) {}
void ttf_textprintf_centre_aa(BITMAP*, ALFONT_FONT*, int, int, int, const char*, ...) {}
void ttf_textprintf_right_aa(BITMAP*, ALFONT_FONT*, int, int, int, const char*, ...) {}
