// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shell command's output for the tests that turn documents back into pictures and text
// (pdftoppm, pdftotext, rsvg-convert).
#include <cstdio>
#include <optional>
#include <string>

namespace quivra::test {

// Output of a shell command, or nullopt when it fails (a tool that is not installed).
inline std::optional<std::string> Shell(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    return text;
}

}  // namespace quivra::test
