// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures are written completely or not at all: a file through QSaveFile (a temporary file beside
// it, renamed over it), a device or pipe directly, every step checked.
#include <QByteArray>
#include <QImage>

#include <string>
#include <string_view>

namespace quivra::tool {

struct PictureFormat {
    std::string_view extension;   // lower case, without the dot
    const char* qtFormat;         // the name QImageWriter knows it by
};

// What --out accepts; other extensions are refused.
inline constexpr PictureFormat kPictureFormats[] = {
    {"png", "png"}, {"jpg", "jpeg"}, {"jpeg", "jpeg"}, {"bmp", "bmp"}, {"ppm", "ppm"}, {"svg", "svg"}, {"pdf", "pdf"}};

// SVG and PDF are drawn as vector documents (tools/vector_output.h), not encoded from an image.
inline bool IsVectorFormat(const char* qtFormat) {
    return std::string_view(qtFormat) == "svg" || std::string_view(qtFormat) == "pdf";
}

struct PictureTarget {
    std::string name;       // as given, for messages
    std::string path;       // where the bytes go: symbolic links followed, so a link stays a link
    const char* qtFormat;
    bool replace;           // a regular file: temporary file and rename; else (device, pipe) written directly
};

// Checks the name before any work is done: a known extension, a file and folder that can be
// written. An existing device or pipe without an extension gets PNG. Throws UsageError.
PictureTarget CheckPictureTarget(const std::string& name);

// The picture in the target's format, encoded in memory, so no encoder ever meets a write error.
QByteArray EncodePicture(const QImage& image, const PictureTarget& target);

// Writes finished bytes to the target, every step checked; throws WriteError and leaves no
// temporary file behind.
void WriteOutputBytes(const QByteArray& bytes, const PictureTarget& target);

// EncodePicture, then WriteOutputBytes.
void WritePicture(const QImage& image, const PictureTarget& target);

}  // namespace quivra::tool
