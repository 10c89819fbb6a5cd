// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maze raster: cells, wall slots and posts in one flat byte array indexed (y, x),
// with inclusive bounds 0..maxY and 0..maxX like the rest of the game.
#include <cassert>
#include <cstdint>
#include <vector>

namespace quivra {

class ByteGrid {
public:
    ByteGrid() = default;

    // (Re)dimension to (0 To maxY, 0 To maxX); old contents are discarded.
    void Redim(int maxY, int maxX) {
        maxY_ = maxY;
        maxX_ = maxX;
        stride_ = maxX + 1;
        cells_.assign(static_cast<size_t>(maxY + 1) * static_cast<size_t>(stride_), 0);
    }
    // Release the storage: the grid no longer exists until the next Redim.
    void Erase() {
        cells_.clear();
        cells_.shrink_to_fit();
        maxY_ = maxX_ = -1;
        stride_ = 0;
    }

    bool Exists() const { return !cells_.empty(); }
    int MaxY() const { return maxY_; }
    int MaxX() const { return maxX_; }
    int Stride() const { return stride_; }

    uint8_t& operator()(int y, int x) {
        assert(y >= 0 && y <= maxY_ && x >= 0 && x <= maxX_);
        return cells_[static_cast<size_t>(y) * stride_ + x];
    }
    uint8_t operator()(int y, int x) const {
        assert(y >= 0 && y <= maxY_ && x >= 0 && x <= maxX_);
        return cells_[static_cast<size_t>(y) * stride_ + x];
    }
    bool Contains(int y, int x) const { return y >= 0 && y <= maxY_ && x >= 0 && x <= maxX_; }

    uint8_t* Data() { return cells_.data(); }
    const uint8_t* Data() const { return cells_.data(); }
    size_t Size() const { return cells_.size(); }

    bool operator==(const ByteGrid&) const = default;

private:
    int maxY_ = -1;
    int maxX_ = -1;
    int stride_ = 0;
    std::vector<uint8_t> cells_;
};

}  // namespace quivra
