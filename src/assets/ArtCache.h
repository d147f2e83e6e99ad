#pragma once
#include <cstdint>
#include <memory>

#include "assets/Asset.h"

// The images one kind of object draws with: looked up by tag once, and
// again only after the image registry loaded or released something, rather
// than by string for every creature in every frame. TArt fills itself from
// g_bitmaps in LookUp().
template <class TArt>
class CArtCache {
public:
    const TArt& Get()
    {
        if (!art || seen != g_bitmaps.Generation()) {
            art = std::make_unique<TArt>();
            art->LookUp();
            seen = g_bitmaps.Generation();
        }
        return *art;
    }

private:
    std::unique_ptr<TArt> art;
    uint32_t seen = 0; // registry generation the art was looked up in
};

// The one cache of an art type. It is never destroyed: the art may own
// bitmaps, and Allegro may be gone by the time statics are destroyed.
template <class TArt>
const TArt& CachedArt()
{
    static auto* cache = new CArtCache<TArt>();
    return cache->Get();
}
