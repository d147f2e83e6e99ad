#include "Ogg.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

bool WritePages(ogg_stream_state& os, std::ofstream& out, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
        out.write(reinterpret_cast<const char*>(page.header), page.header_len);
        out.write(reinterpret_cast<const char*>(page.body), page.body_len);
    }
    return bool(out);
}

} // namespace

bool WriteOgg(const std::string& path, const Buffer& samples, float quality)
{
    std::ofstream out(path, std::ios::binary);
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, kRate, quality) != 0) {
        std::fprintf(stderr, "yk-sound: the Vorbis encoder refused its settings\n");
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Yolvar Krandel");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x596b); // a fixed serial keeps the files reproducible
    ogg_packet head, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &head, &comm, &code);
    ogg_stream_packetin(&os, &head);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    bool ok = WritePages(os, out, true);
    auto drain = [&]() {
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                ok = ok && WritePages(os, out, false);
            }
        }
    };
    const size_t chunk = 4096;
    for (size_t at = 0; at < samples.size() && ok; at += chunk) {
        const size_t n = std::min(chunk, samples.size() - at);
        float** buf = vorbis_analysis_buffer(&vd, int(n));
        for (size_t i = 0; i < n; ++i)
            buf[0][i] = samples[at + i];
        vorbis_analysis_wrote(&vd, int(n));
        drain();
    }
    vorbis_analysis_wrote(&vd, 0); // end of stream: flushes the last block
    drain();
    ok = ok && WritePages(os, out, true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    if (!ok)
        std::fprintf(stderr, "yk-sound: cannot write %s\n", path.c_str());
    return ok;
}
