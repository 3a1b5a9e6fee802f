// The benchmark's own photo: a large JPEG that compresses and decodes like a camera's.
#pragma once

#include <QSize>
#include <QString>

namespace tarsio::bench {

// Writes a JPEG of `size` pixels into `folder` and returns its path: smooth gradients and waves under
// fine noise, so that it holds about as much detail per pixel as a photo.
QString writePhoto(const QString& folder, QSize size);

}  // namespace tarsio::bench
