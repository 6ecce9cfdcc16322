#pragma once
// Turning decoded frames into RGB pictures of a chosen size.

#include "media/av_handles.h"
#include "media/rgb_image.h"

namespace tallyvane::av {

// The frame resampled to width x height RGB, honouring its colour matrix and range.
// `scaler` caches the conversion between calls with the same geometry. Throws MediaError.
RgbImage toRgb(const AVFrame& frame, int width, int height, ScalePtr& scaler);

}  // namespace tallyvane::av
