// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A booklet made from a window: the choices a dialog offers turned into the render command's
// options (so the window's booklet is the tool's, page for page), run with a watch that shows
// progress and may stop it, and a picture of one page of it for a preview.
#include <QImage>

#include <string>
#include <vector>

#include "tools/reading_watch.h"

namespace quivra::tool {

struct BookletChoices {
    bool honeycomb = false;
    int level = 2;                  // 1..5; 0: the size in cells below
    int cellsX = 20, cellsY = 28;
    int count = 10;                 // 1..1000
    int perPage = 1;                // 1, 2, 4 or 6
    std::string page = "a4";        // as --page takes it
    std::string title;
    bool nameLine = true;
    enum class Solutions { End, File, None } solutions = Solutions::End;
    bool english = false;           // the page's own words
    int time = -1;                  // 0..86399 pins the mazes (the same time, the same booklet); -1: new ones
};

// `quivra-tool render` options for the choices, writing `out` and, when the solutions go to a file
// of their own, `solutionsOut`.
std::vector<std::string> BookletArguments(const BookletChoices& choices, const std::string& out,
                                          const std::string& solutionsOut);

// Thrown by a watch to stop a run.
struct BookletStopped {};

struct BookletRun {
    int status = 0;       // as the tool's: 0 done, 2 refused before any work, 1 a failed write
    std::string report;   // the tool's report on success
    std::string error;    // its one line, without the program's name
    bool stopped = false; // the watch stopped it: nothing was written
};
// Runs the booklet on this thread, the watch told of every step.
BookletRun RunBooklet(const BookletChoices& choices, const std::string& out, const std::string& solutionsOut,
                      ReadingWatch* watch);

// The tool's one line on standard error without the program's name and the line's end.
std::string ErrorReason(std::string error);

// The maze codes a report names, in order.
std::vector<std::string> ReportedCodes(const std::string& report);

// The first page of mazes of a booklet whose first mazes have these codes, or with `solutions` the
// first page of their solutions, as the booklet prints them, `pixelsPerPoint` pixels a point.
// Needs a GUI application.
QImage BookletPagePicture(const BookletChoices& choices, const std::vector<std::string>& codes, bool solutions,
                          double pixelsPerPoint);

}  // namespace quivra::tool
