#include "media/av_handles.h"

#include "media/media_error.h"

namespace tallyvane::av {

FramePtr makeFrame() {
    FramePtr frame(av_frame_alloc());
    if (!frame) throw MediaError("Out of memory allocating a video frame");
    return frame;
}

PacketPtr makePacket() {
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw MediaError("Out of memory allocating a media packet");
    return packet;
}

}  // namespace tallyvane::av
