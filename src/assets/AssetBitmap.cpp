#include "assets/AssetBitmap.h"

#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/Paths.h"
#include "assets/ImageHeader.h"
#include "assets/ValueBounds.h"

CAssetBitmap g_bitmaps;

namespace {

bool HasKey(const char* section, const std::string& key)
{
    return get_config_string(section, key.c_str(), nullptr) != nullptr;
}

bool FrameGiven(const char* section, int i)
{
    const std::string n = std::to_string(i);
    return HasKey(section, "fX" + n) || HasKey(section, "fY" + n) || HasKey(section, "fW" + n) ||
           HasKey(section, "fH" + n);
}

// A frame can be cut when its corner lies in the image (as the library's
// sub-bitmap requires) and it has a size.
bool CornerInside(const BITMAP* image, int x, int y, int w, int h)
{
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x < image->w && y < image->h;
}

// What the library's sub-bitmap keeps of a side that overhangs the image's
// right or bottom edge; in 64 bits, so that no value read from a file can
// wrap past the edge.
int Trimmed(int from, int size, int edge) { return static_cast<int>(std::min<int64_t>(size, int64_t{edge} - from)); }

// The default of the next frame's corner: one step on. A step that leaves
// the int range ends at its edge, where no frame fits.
int StepOn(int from, int step)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{from} + step, INT32_MIN, INT32_MAX));
}

// Frames one image is cut into, at most: far more than any animation has,
// few enough that a stray fN cannot fill the memory with frames.
constexpr int kMaxFrames = 1024;

} // namespace

int CAssetBitmap::Init() { return Init("bitmap-1"); }

int CAssetBitmap::Init(const std::string& name)
{
    // Registering again only replaces the same loader; tools and tests that
    // never open a display need PNG too.
    register_png_file_type();
    SetDefinitionName(name);
    return 0;
}

BITMAP* CAssetBitmap::LoadFile(const std::string& section, const std::string& path, const std::string& ext)
{
    SFileStamp stamp;
    const bool stamped = StampOf(path, stamp);
    if (stamped) {
        auto [first, last] = m_kept.equal_range(path);
        for (auto it = first; it != last; ++it) {
            if (it->second.first == stamp) {
                BITMAP* image = it->second.second;
                m_kept.erase(it);
                m_loadedFrom[image] = stamp;
                m_refusal.clear();
                return image;
            }
        }
    }
    // A file not kept: what is kept is of another level's sets, and freeing it
    // before decoding keeps the memory a change of level needs where it was.
    FreeKept();
    // The decoders allocate whatever the header claims and crash when that fails.
    m_refusal = ImageHeader::Refusal(path, ext);
    if (!m_refusal.empty())
        return nullptr;
    PALETTE palette;
    BITMAP* image = ext == "jpg" ? load_jpg(path.c_str(), palette) : load_bitmap(path.c_str(), palette);
    if (image && stamped)
        m_loadedFrom[image] = stamp;
    return image;
}

void CAssetBitmap::Destroy(BITMAP* object) { Forget(object, false); }

bool CAssetBitmap::StampOf(const std::string& path, SFileStamp& stamp)
{
    std::error_code ec;
    stamp.path = path;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    stamp.time = std::filesystem::last_write_time(path, ec);
    return !ec;
}

// Frees an image, or keeps it for a load in the open reuse scope.
void CAssetBitmap::Forget(BITMAP* image, bool keep)
{
    if (!image)
        return;
    auto it = m_loadedFrom.find(image);
    if (keep && m_reuseScopes > 0 && it != m_loadedFrom.end())
        m_kept.emplace(it->second.path, std::make_pair(it->second, image));
    else
        destroy_bitmap(image);
    if (it != m_loadedFrom.end())
        m_loadedFrom.erase(it);
}

void CAssetBitmap::FreeKept()
{
    for (auto& [path, kept] : m_kept)
        destroy_bitmap(kept.second);
    m_kept.clear();
}

CAssetBitmap::CReuseScope::CReuseScope() { ++g_bitmaps.m_reuseScopes; }

CAssetBitmap::CReuseScope::~CReuseScope()
{
    if (--g_bitmaps.m_reuseScopes == 0)
        g_bitmaps.FreeKept();
}

void CAssetBitmap::OnAssetLoaded(std::string section, std::string tag)
{
    std::vector<BITMAP*> frames = CutFrames(section, tag, Get(tag));
    if (frames.empty())
        return;
    // The tag keeps the frames it got first.
    if (!m_frames.emplace(tag, frames).second)
        for (BITMAP* f : frames)
            destroy_bitmap(f);
}

std::vector<BITMAP*> CAssetBitmap::CutFrames(const std::string& section, const std::string& tag, BITMAP* image) const
{
    std::vector<BITMAP*> frames;
    if (!image)
        return frames;
    const char* s = section.c_str();
    const std::string file = YkPath(GetDefinitionFile());
    const int dx = get_config_int(s, "fDX", 0), dy = get_config_int(s, "fDY", 0);
    const int count = BoundWhole(get_config_int(s, "fN", 0), INT32_MIN, kMaxFrames, file, s, "fN");
    int x = -1, y = -1, w = -1, h = -1; // pixels; x -1 ends the list
    for (int i = 1;; ++i) {
        const std::string n = std::to_string(i);
        x = get_config_int(s, ("fX" + n).c_str(), StepOn(x, dx));
        if (x == -1 || (count != 0 && i > count))
            break;
        if (i > kMaxFrames) {
            ReportBound(file, s, "fX", "list runs past " + std::to_string(kMaxFrames) + " frames; kept " +
                                           std::to_string(kMaxFrames));
            break;
        }
        y = get_config_int(s, ("fY" + n).c_str(), StepOn(y, dy));
        w = get_config_int(s, ("fW" + n).c_str(), w);
        h = get_config_int(s, ("fH" + n).c_str(), h);
        if (count == 0 && dx == 0 && dy == 0 && !FrameGiven(s, i)) {
            std::fprintf(stderr, "%s: frames of %s [%s] have no end (no fN, no fX of -1); kept %d\n",
                         YkPath(GetDefinitionFile()).c_str(), tag.c_str(), s, i - 1);
            break;
        }
        if (!CornerInside(image, x, y, w, h)) {
            std::fprintf(stderr, "%s: frame %d of %s [%s] at %d,%d size %dx%d lies outside its %dx%d image; kept %d\n",
                         YkPath(GetDefinitionFile()).c_str(), i, tag.c_str(), s, x, y, w, h, image->w, image->h, i - 1);
            break;
        }
        // An overhanging frame keeps the part inside, as the library's own
        // sub-bitmap would; the frames after it are cut as usual.
        const int tw = Trimmed(x, w, image->w), th = Trimmed(y, h, image->h);
        if (tw != w || th != h)
            std::fprintf(stderr, "%s: frame %d of %s [%s] at %d,%d size %dx%d overhangs its %dx%d image; trimmed to %dx%d\n",
                         YkPath(GetDefinitionFile()).c_str(), i, tag.c_str(), s, x, y, w, h, image->w, image->h, tw,
                         th);
        frames.push_back(create_sub_bitmap(image, x, y, tw, th));
    }
    return frames;
}

BITMAP* CAssetBitmap::GetFrame(const std::string& tag, int index) const
{
    auto it = m_frames.find(tag);
    if (it == m_frames.end() || index < 0 || index >= static_cast<int>(it->second.size()))
        return nullptr;
    return it->second[static_cast<size_t>(index)];
}

int CAssetBitmap::GetFrameCount(const std::string& tag) const
{
    auto it = m_frames.find(tag);
    return it == m_frames.end() ? 0 : static_cast<int>(it->second.size());
}

void CAssetBitmap::ReleaseAll()
{
    // Frames share their parents' pixels, so they go first.
    for (auto& [tag, frames] : m_frames)
        for (BITMAP* f : frames)
            destroy_bitmap(f);
    m_frames.clear();
    for (auto& [tag, image] : m_assets) {
        Forget(image, true);
        image = nullptr;
    }
    m_assets.clear();
    Changed();
}
