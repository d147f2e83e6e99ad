#include "support/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

void Append(std::string& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), page.header_len);
    out.append(reinterpret_cast<const char*>(page.body), page.body_len);
}

void Drain(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& os, std::string& out)
{
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&os, &packet);
            while (ogg_stream_pageout(&os, &page))
                Append(out, page);
        }
    }
}

float Sample(const OggSignal& s, int frame, int channel, unsigned& seed)
{
    if (s.noise)
        return static_cast<float>(rand_r(&seed)) / RAND_MAX * 1.6f - 0.8f;
    const float hz = channel == 0 ? 440.0f : 660.0f;
    return 0.5f * std::sin(6.2831853f * hz * frame / s.rate);
}

} // namespace

std::string MakeOgg(const OggSignal& s)
{
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, s.channels, s.rate, s.quality);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state os;
    ogg_stream_init(&os, 1);

    std::string out;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page))
        Append(out, page);

    unsigned seed = 12345;
    constexpr int kChunk = 1024;
    for (int done = 0; done < s.frames; done += kChunk) {
        const int n = std::min(kChunk, s.frames - done);
        float** buf = vorbis_analysis_buffer(&dsp, n);
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < s.channels; ++c)
                buf[c][i] = Sample(s, done + i, c, seed);
        vorbis_analysis_wrote(&dsp, n);
        Drain(dsp, block, os, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    Drain(dsp, block, os, out);
    while (ogg_stream_flush(&os, &page))
        Append(out, page);

    ogg_stream_clear(&os);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}
