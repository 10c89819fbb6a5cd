// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to maze/: the carve-and-solve machinery both styles share, tuned for many trials.
//
// Work happens in a private copy of the raster framed by kPad positions of code 1 on every side.
// The frame stands for "outside": the carve rejects it (not 0) and the contact count treats it
// like a path cell (1), which is exactly how both treat positions beyond the array. So the inner
// loops need no range checks, and every step is a precomputed flat offset.
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <vector>

#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/path_step.h"
#include "maze/random.h"
#include "maze/square_maze.h"

namespace quivra::detail {

// NextRegisterValue as a shift register packed into two words, with a running sum: the same
// values, a handful of register operations per draw. Lives in the carve's locals.
template <bool CountDraws>
class FastRegister {
public:
    FastRegister(const SeedDigits& seed, int m) : m_(m) {
        int sum = 0;
        for (int k = 0; k < 8; ++k) {
            const uint64_t w = seed[k] + 1u;
            sum += static_cast<int>(w);
            if (k < 4) lo_ |= w << (16 * k);
            else hi_ |= w << (16 * (k - 4));
        }
        sum_ = sum % m_;
    }
    int Next() {
        const int v = sum_;
        const int oldest = static_cast<int>(lo_ & 0xFFFF);
        lo_ = (lo_ >> 16) | (hi_ << 48);
        hi_ = (hi_ >> 16) | (static_cast<uint64_t>(v) << 48);
        int s = v + v - oldest;   // the sum after the shift, in -(m-1)..2m-2
        if (s >= m_) s -= m_;
        if (s < 0) s += m_;
        sum_ = s;
        if constexpr (CountDraws) ++draws_;
        return v;
    }
    int Draws() const { return draws_; }

private:
    uint64_t lo_ = 0;   // w(0)..w(3), 16 bits each
    uint64_t hi_ = 0;   // w(4)..w(7)
    int sum_ = 0;
    int m_;
    int draws_ = 0;
};

// What every trial of one run shares, read-only: the raster before carving, the flat step of each
// base direction, and per direction order the tables that turn a mask of free base directions into
// a mask of free try-slots.
template <int Slots, int Orders>
class MazeLayout {
public:
    static_assert(Slots <= 6, "the slot masks are split into two 3-bit halves");
    static constexpr int kPad = 2;

    struct OrderRow {
        uint8_t fromLow[8];    // slot bits of the free base directions 0..2
        uint8_t fromHigh[8];   // slot bits of the free base directions 3..5
        uint8_t dir[8];        // base direction of each slot
    };
    using Offsets = std::array<int, Slots>;   // flat step of each slot of one order

    // rasterCode(y, x) gives the code every position has before carving.
    template <class RasterCode>
    MazeLayout(const StepTable<Slots, Orders>& tx, const StepTable<Slots, Orders>& ty, int gridMaxX, int gridMaxY,
               RasterCode rasterCode)
        : maxX_(gridMaxX),
          maxY_(gridMaxY),
          stride_(gridMaxX + 1 + 2 * kPad),
          size_(static_cast<size_t>(gridMaxY + 1 + 2 * kPad) * static_cast<size_t>(stride_)),
          rows_(Orders),
          offsets_(Orders),
          template_(size_, 1) {
        for (int d = 0; d < Slots; ++d) base_[d] = ty[d][0] * stride_ + tx[d][0];
        for (int order = 0; order < Orders; ++order) {
            OrderRow& row = rows_[order];
            std::memset(&row, 0, sizeof row);
            for (int slot = 0; slot < Slots; ++slot) {
                int dir = 0;   // every order is a permutation of the base directions
                while (dir < Slots - 1 && !(tx[slot][order] == tx[dir][0] && ty[slot][order] == ty[dir][0])) ++dir;
                assert(tx[slot][order] == tx[dir][0] && ty[slot][order] == ty[dir][0]);
                row.dir[slot] = static_cast<uint8_t>(dir);
                offsets_[order][slot] = ty[slot][order] * stride_ + tx[slot][order];
                for (int bits = 0; bits < 8; ++bits) {
                    if (dir < 3 && (bits >> dir & 1)) row.fromLow[bits] |= static_cast<uint8_t>(1u << slot);
                    if (dir >= 3 && (bits >> (dir - 3) & 1)) row.fromHigh[bits] |= static_cast<uint8_t>(1u << slot);
                }
            }
        }
        for (int y = 0; y <= maxY_; ++y) {
            uint8_t* row = template_.data() + Index(y, 0);
            for (int x = 0; x <= maxX_; ++x) row[x] = rasterCode(y, x);
        }
    }

    int Index(int y, int x) const { return (y + kPad) * stride_ + x + kPad; }
    int MaxX() const { return maxX_; }
    int MaxY() const { return maxY_; }
    size_t Size() const { return size_; }
    const uint8_t* Template() const { return template_.data(); }
    const OrderRow* Rows() const { return rows_.data(); }
    const Offsets* OrderOffsets() const { return offsets_.data(); }
    const std::array<int, Slots>& Base() const { return base_; }

private:
    int maxX_;
    int maxY_;
    int stride_;
    size_t size_;
    std::array<int, Slots> base_{};
    std::vector<OrderRow> rows_;
    std::vector<Offsets> offsets_;
    std::vector<uint8_t> template_;
};

// The cell-level facts of one style: draws and start cell, register modulus, the fixed openings.
// Rules provides kSlots, kOrders, kModulus, StartCell(reg, layout), and the indices entrance,
// exit, first (the solve's start cell) and last (the cell before the exit).

// One thread's work grid over a shared layout, with the depth-first stack it is given.
template <class Rules>
class MazeCarver {
public:
    using Layout = MazeLayout<Rules::kSlots, Rules::kOrders>;

    // steps holds stackSize entries, as many as the carve's stack may need.
    MazeCarver(const Layout& layout, const Rules& rules, PathStep* steps, size_t stackSize)
        : layout_(&layout), rules_(rules), steps_(steps), work_(layout.Size(), 1), cameFrom_(stackSize) {}

    // One depth-first carve; returns the register draws when CountDraws, else 0. A trial carve
    // (ForTrial) leaves in every cell, instead of 2, the base direction it was entered by, for
    // MeasureTrial; its walls and openings are those of the real carve.
    template <bool CountDraws, bool ForTrial = false>
    int Carve(const SeedDigits& seed) {
        constexpr int S = Rules::kSlots;
        std::memcpy(work_.data(), layout_->Template(), layout_->Size());
        uint8_t* const g = work_.data();
        PathStep* const steps = steps_;
        int* const cameFrom = cameFrom_.data();
        const auto* const rows = layout_->Rows();
        const auto* const offsets = layout_->OrderOffsets();
        // The steps in locals, so that they stay in registers across the byte stores.
        const std::array<int, S> base = layout_->Base();
        FastRegister<CountDraws> reg(seed, Rules::kModulus);
        int p = rules_.StartCell(reg, *layout_);
        g[p] = ForTrial ? kRootCell : 2;
        int sp = -1;
        int order = DrawOrder(reg);
        const auto* row = rows + order;
        int slot = 0;
        for (;;) {
            // Free neighbours by base direction, then renumbered by the cell's order; the first
            // from `slot` on is the one the order tries first.
            const unsigned freeBase = FreeBase(g + p, base);
            const unsigned freeSlots = (row->fromLow[freeBase & 7] | row->fromHigh[freeBase >> 3]) & (~0u << slot);
            if (freeSlots != 0) {
                slot = std::countr_zero(freeSlots);
                steps[++sp] = PathStep{static_cast<uint8_t>(slot), static_cast<int16_t>(order)};
                cameFrom[sp] = p;
                const int dir = row->dir[slot];
                // One load for a table that sits in L1 beside the rows; the honeycomb's 720 orders
                // would crowd it out, so there the step comes from the direction.
                const int o = kOffsetTable ? offsets[order][slot] : base[dir];
                g[p + o] = 2;
                p += 2 * o;
                g[p] = ForTrial ? static_cast<uint8_t>(kChildCell | dir << 1) : 2;
                order = DrawOrder(reg);
                row = rows + order;
                slot = 0;
            } else if (sp >= 0) {
                slot = steps[sp].slot;
                order = steps[sp].order;
                row = rows + order;
                p = cameFrom[sp];   // a load, not a chain of three, on the way back
                --sp;
                ++slot;
            } else {
                break;
            }
        }
        g[rules_.entrance] = 1;
        g[rules_.exit] = 2;
        return reg.Draws();
    }

    // The measures Solve gives, taken from a trial carve without searching: the correct path is
    // the tree path from the first cell to the last, found by climbing from both towards the
    // start cell of the carve. Marks its cells instead of writing 1.
    MazeMeasures MeasureTrial() {
        constexpr int S = Rules::kSlots;
        uint8_t* const g = work_.data();
        const std::array<int, S> base = layout_->Base();
        auto parent = [&](int q) { return q - 2 * base[(g[q] >> 1) & 7]; };
        int q = rules_.last;
        for (;;) {
            const uint8_t c = g[q];
            g[q] = static_cast<uint8_t>(c | kAboveLast);
            if (c & kRootCell) break;
            q = parent(q);
        }
        MazeMeasures m{0, 0};
        for (q = rules_.first; !(g[q] & kAboveLast); q = parent(q)) {
            g[q] |= kOnPath;
            ++m.pathLength;
        }
        const int meet = q;
        for (q = rules_.last; q != meet; q = parent(q)) {
            g[q] |= kOnPath;
            ++m.pathLength;
        }
        g[meet] |= kOnPath;
        ++m.pathLength;
        for (q = rules_.first; q != meet; q = parent(q)) m.contacts += TrialContacts(g + q, base);
        for (q = rules_.last; q != meet; q = parent(q)) m.contacts += TrialContacts(g + q, base);
        m.contacts += TrialContacts(g + meet, base);
        return m;
    }

    // Walks the base directions from the first cell to the exit, marks the path with 1, then
    // measures it backwards from the last cell.
    MazeMeasures Solve() {
        constexpr int S = Rules::kSlots;
        uint8_t* const g = work_.data();
        PathStep* const steps = steps_;
        const std::array<int, S> base = layout_->Base();
        const int exit = rules_.exit;
        MazeMeasures m{1, 0};
        int p = rules_.first;
        g[p] = 1;
        int sp = -1;
        int dir = 0;
        for (;;) {
            const unsigned open = OpenMask(g + p, base) & (~0u << dir);
            if (open != 0) {
                dir = std::countr_zero(open);
                const int wall = p + base[dir];
                g[wall] = 1;
                if (wall == exit) break;   // the only step that leaves the grid
                steps[++sp].slot = static_cast<uint8_t>(dir);
                p = wall + base[dir];
                g[p] = 1;
                dir = 0;
            } else {
                if (sp < 0) return m;   // no way out: not a carved maze
                dir = steps[sp].slot;
                g[p] = 2;
                p -= base[dir];
                g[p] = 2;
                p -= base[dir];
                --sp;
                ++dir;
            }
        }
        p = rules_.last;
        while (sp >= 0) {
            m.contacts += Contacts(g + p, base);
            p -= 2 * base[steps[sp].slot];
            --sp;
            ++m.pathLength;
        }
        m.contacts += Contacts(g + p, base);
        return m;
    }

    // One candidate as the search measures it: draws are not counted.
    MazeMeasures operator()(const SeedDigits& seed) {
        Carve<false, true>(seed);
        return MeasureTrial();
    }

    void CopyOut(ByteGrid& grid) const {
        assert(grid.MaxX() == layout_->MaxX() && grid.MaxY() == layout_->MaxY());
        const int width = layout_->MaxX() + 1;
        for (int y = 0; y <= layout_->MaxY(); ++y) {
            std::memcpy(grid.Data() + static_cast<size_t>(y) * width, work_.data() + layout_->Index(y, 0), width);
        }
    }
    void CopyIn(const ByteGrid& grid) {
        assert(grid.MaxX() == layout_->MaxX() && grid.MaxY() == layout_->MaxY());
        const int width = layout_->MaxX() + 1;
        for (int y = 0; y <= layout_->MaxY(); ++y) {
            std::memcpy(work_.data() + layout_->Index(y, 0), grid.Data() + static_cast<size_t>(y) * width, width);
        }
    }

private:
    static constexpr bool kOffsetTable = Rules::kOrders * Rules::kSlots <= 256;

    // Cell codes of a trial carve. Bit 0 stays clear, so "on the path or outside the grid" (the
    // frame is 1) is one test; margins (2) and walls (0) are neither.
    static constexpr uint8_t kChildCell = 0x10;   // | entry direction << 1
    static constexpr uint8_t kRootCell = 0x20;
    static constexpr uint8_t kAboveLast = 0x40;   // on the climb from the last cell
    static constexpr uint8_t kOnPath = 0x80;

    template <class Reg>
    static int DrawOrder(Reg& reg) {
        int v;
        do v = reg.Next();
        while (v >= Rules::kOrders);
        return v;
    }
    // Bit d set when the cell two steps along base direction d is unvisited (code 0).
    template <size_t S>
    static unsigned FreeBase(const uint8_t* cell, const std::array<int, S>& base) {
        unsigned m = 0;
        for (size_t d = 0; d < S; ++d) m |= static_cast<unsigned>(cell[2 * base[d]] == 0) << d;
        return m;
    }
    // Bit d set when the wall slot in base direction d is open and not yet on the path (code 2).
    template <size_t S>
    static unsigned OpenMask(const uint8_t* cell, const std::array<int, S>& base) {
        unsigned m = 0;
        for (size_t d = 0; d < S; ++d) m |= static_cast<unsigned>(cell[base[d]] == 2) << d;
        return m;
    }
    // Closed walls of a path cell whose far side is on the path or outside the grid.
    template <size_t S>
    static int Contacts(const uint8_t* cell, const std::array<int, S>& base) {
        int n = 0;
        for (size_t d = 0; d < S; ++d) {
            n += static_cast<int>(cell[base[d]] == 0) & static_cast<int>(cell[2 * base[d]] == 1);
        }
        return n;
    }

    template <size_t S>
    static int TrialContacts(const uint8_t* cell, const std::array<int, S>& base) {
        int n = 0;
        for (size_t d = 0; d < S; ++d) {
            n += static_cast<int>(cell[base[d]] == 0) & static_cast<int>((cell[2 * base[d]] & (kOnPath | 1)) != 0);
        }
        return n;
    }

    const Layout* layout_;
    Rules rules_;
    PathStep* steps_;
    std::vector<uint8_t> work_;
    std::vector<int> cameFrom_;   // beside the stack: the cell each entry was entered from
};

}  // namespace quivra::detail
