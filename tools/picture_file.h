// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures are written completely or not at all: a file through QSaveFile (a temporary file beside
// it, renamed over it), a device or pipe directly, every step checked.
#include <QByteArray>
#include <QIODevice>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>
#include <span>
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

// Whether two targets name one file, by whatever path.
bool SameFile(const PictureTarget& a, const PictureTarget& b);

// The picture in the target's format, encoded in memory, so no encoder ever meets a write error.
QByteArray EncodePicture(const QImage& image, const PictureTarget& target);

// Writes finished bytes to the target, every step checked; throws WriteError and leaves no
// temporary file behind.
void WriteOutputBytes(const QByteArray& bytes, const PictureTarget& target);

// A document written as it is made, so that it never has to be whole in memory: into the hidden
// temporary file (or straight to a device or pipe), renamed over the target by Commit(). Until
// then the temporary file is removed on every way out, every signal that ends the tool included.
// Qt's PDF writer stamps the time and a random id into every document; they pass through as
// fixed values of the same length, so the same input gives the same bytes.
class StreamedOutput {
public:
    explicit StreamedOutput(const PictureTarget& target);   // throws WriteError
    ~StreamedOutput();
    StreamedOutput(const StreamedOutput&) = delete;
    StreamedOutput& operator=(const StreamedOutput&) = delete;

    QIODevice& Device();
    void Commit();   // throws WriteError; the target then holds the document
    // Whether the two write into one file, by what they opened.
    bool SameDestination(const StreamedOutput& other) const;
    // Every output's target holds its document, or (throwing WriteError) none has changed.
    static void CommitAll(std::span<StreamedOutput* const> outputs);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Qt's PDF writer stamps the time and random ids into a document: the ids blanked in place
// (digits and letters to zeros), the dates' digits replaced by those of the document's date in
// UTC, the length kept, so the cross-reference offsets stay right. A stamp whose end is not in
// `bytes` yet is left for a later call.
void BlankPdfStamps(QByteArray& bytes);

// The date documents carry from now on, in seconds since 1970 UTC (a time of day given to the
// tool is that time on 1 January 1970, so the same options give the same bytes); below 0: now.
void SetDocumentDate(long long seconds);

// While on, documents are dated now whatever time was set: a window pins its booklet's mazes to a
// time of day so that its preview shows them, but the teacher made the booklet today.
void DateDocumentsNow(bool now);

// Several files new together or not at all (a booklet's pages as pictures): each written whole to a
// temporary file beside it, synced, then all renamed; on any failure every old file is as it was
// and no temporary file is left. The signals that end the tool wait meanwhile. Throws WriteError.
void WriteFilesTogether(const std::vector<PictureTarget>& targets, const std::function<QByteArray(size_t)>& bytes);

// EncodePicture, then WriteOutputBytes.
void WritePicture(const QImage& image, const PictureTarget& target);

}  // namespace quivra::tool
