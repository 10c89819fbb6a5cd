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
#include <cstring>
#include <vector>

#include "maze/directions.h"
#include "maze/grid.h"
#include "maze/path_step.h"
#include "maze/random.h"
#include "maze/square_maze.h"

namespace quivra::detail {

// NextRegisterValue as a ring with a running sum: the same values, a few operations per draw.
class FastRegister {
public:
    FastRegister(const SeedDigits& seed, int m) : m_(m) {
        for (int k = 0; k < 8; ++k) {
            w_[k] = seed[k] + 1;
            sum_ += w_[k];
        }
        sum_ %= m_;
    }
    int Next() {
        const int v = sum_;
        const int oldest = w_[head_];
        w_[head_] = v;
        head_ = (head_ + 1) & 7;
        int s = v + v - oldest;   // the sum after the shift, in -(m-1)..2m-2
        if (s >= m_) s -= m_;
        if (s < 0) s += m_;
        sum_ = s;
        ++draws_;
        return v;
    }
    int Draws() const { return draws_; }

private:
    std::array<int, 8> w_{};
    int head_ = 0;
    int sum_ = 0;
    int m_;
    int draws_ = 0;
};

template <int Slots, int Orders>
class MazeEngine {
public:
    static constexpr int kPad = 2;

    // rasterCode(y, x) gives the code every position has before carving.
    template <class RasterCode>
    MazeEngine(const StepTable<Slots, Orders>& tx, const StepTable<Slots, Orders>& ty, int gridMaxX, int gridMaxY,
               RasterCode rasterCode)
        : maxX_(gridMaxX),
          maxY_(gridMaxY),
          stride_(gridMaxX + 1 + 2 * kPad),
          size_(static_cast<size_t>(gridMaxY + 1 + 2 * kPad) * static_cast<size_t>(stride_)),
          offsets_(Orders),
          template_(size_, 1),
          work_(size_, 1) {
        for (int order = 0; order < Orders; ++order) {
            for (int slot = 0; slot < Slots; ++slot) offsets_[order][slot] = ty[slot][order] * stride_ + tx[slot][order];
        }
        base_ = offsets_[0];
        for (int y = 0; y <= maxY_; ++y) {
            uint8_t* row = template_.data() + Index(y, 0);
            for (int x = 0; x <= maxX_; ++x) row[x] = rasterCode(y, x);
        }
    }

    int Index(int y, int x) const { return (y + kPad) * stride_ + x + kPad; }

    // One depth-first carve. start(reg) makes the start-cell draws and returns the cell's index.
    template <class StartRule>
    int Carve(const SeedDigits& seed, int modulus, PathStep* steps, StartRule start, int entrance, int exit) {
        std::memcpy(work_.data(), template_.data(), size_);
        uint8_t* const g = work_.data();
        // Locals, so that the byte stores into the raster do not force reloads of members.
        const std::array<int, Slots>* const offsets = offsets_.data();
        FastRegister reg(seed, modulus);
        int p = start(reg);
        g[p] = 2;
        int sp = -1;
        int order = DrawOrder(reg);
        const int* o = offsets[order].data();
        int slot = 0;
        for (;;) {
            // All neighbours tested at once: the first free one from `slot` on, without a branch per try.
            const unsigned freeSlots = FreeMask(g + p, o) & (~0u << slot);
            if (freeSlots != 0) {
                slot = std::countr_zero(freeSlots);
                steps[++sp] = PathStep{static_cast<uint8_t>(slot), static_cast<int16_t>(order)};
                g[p + o[slot]] = 2;
                p += 2 * o[slot];
                g[p] = 2;
                order = DrawOrder(reg);
                o = offsets[order].data();
                slot = 0;
            } else if (sp >= 0) {
                slot = steps[sp].slot;
                order = steps[sp].order;
                o = offsets[order].data();
                p -= 2 * o[slot];
                --sp;
                ++slot;
            } else {
                break;
            }
        }
        g[entrance] = 1;
        g[exit] = 2;
        return reg.Draws();
    }

    // Walks the base directions from the start cell to the exit, marks the path with 1, then
    // measures it backwards from the last cell.
    MazeMeasures Solve(PathStep* steps, int startCell, int lastCell, int exit) {
        uint8_t* const g = work_.data();
        const std::array<int, Slots> base = base_;
        MazeMeasures m{1, 0};
        g[startCell] = 1;
        int p = startCell;
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
        p = lastCell;
        while (sp >= 0) {
            m.contacts += Contacts(g + p, base);
            p -= 2 * base[steps[sp].slot];
            --sp;
            ++m.pathLength;
        }
        m.contacts += Contacts(g + p, base);
        return m;
    }

    void CopyOut(ByteGrid& grid) const {
        assert(grid.MaxX() == maxX_ && grid.MaxY() == maxY_);
        for (int y = 0; y <= maxY_; ++y) {
            std::memcpy(grid.Data() + static_cast<size_t>(y) * (maxX_ + 1), work_.data() + Index(y, 0), maxX_ + 1);
        }
    }
    void CopyIn(const ByteGrid& grid) {
        assert(grid.MaxX() == maxX_ && grid.MaxY() == maxY_);
        for (int y = 0; y <= maxY_; ++y) {
            std::memcpy(work_.data() + Index(y, 0), grid.Data() + static_cast<size_t>(y) * (maxX_ + 1), maxX_ + 1);
        }
    }

private:
    static int DrawOrder(FastRegister& reg) {
        int v;
        do v = reg.Next();
        while (v >= Orders);
        return v;
    }
    // Bit s set when the cell two steps along slot s is unvisited (code 0).
    static unsigned FreeMask(const uint8_t* cell, const int* o) {
        unsigned m = 0;
        for (int s = 0; s < Slots; ++s) m |= static_cast<unsigned>(cell[2 * o[s]] == 0) << s;
        return m;
    }
    // Bit d set when the wall slot in base direction d is open and not yet on the path (code 2).
    static unsigned OpenMask(const uint8_t* cell, const std::array<int, Slots>& base) {
        unsigned m = 0;
        for (int d = 0; d < Slots; ++d) m |= static_cast<unsigned>(cell[base[d]] == 2) << d;
        return m;
    }
    // Closed walls of a path cell whose far side is on the path or outside the grid.
    static int Contacts(const uint8_t* cell, const std::array<int, Slots>& base) {
        int n = 0;
        for (int d = 0; d < Slots; ++d) n += static_cast<int>(cell[base[d]] == 0) & static_cast<int>(cell[2 * base[d]] == 1);
        return n;
    }

    int maxX_;
    int maxY_;
    int stride_;
    size_t size_;
    std::vector<std::array<int, Slots>> offsets_;   // [order][slot]: flat offset of one step
    std::array<int, Slots> base_{};
    std::vector<uint8_t> template_;
    std::vector<uint8_t> work_;
};

// The search for the best candidate, shared by both styles. trial(seed) carves and solves one
// candidate; final(seed) carves the kept one again and leaves it in the caller's grid.
template <class Trial, class Final>
GenerationReport ChooseBestCandidate(const MixTable& mixTableA, const MixTable& mixTableB, const Clock& clock,
                                     std::string_view seedText, int cellCount, int firstBestContacts,
                                     double budget, Trial trial, Final final) {
    SeedDigits d = SeedDigitsFromText(seedText);
    MixDigits(mixTableA, mixTableB, d);
    GenerationReport report;
    report.bestDigits = d;
    int bestLength = 0;
    int bestContacts = firstBestContacts;
    const double t0 = clock();
    for (;;) {
        const MazeMeasures m = trial(d);
        if (3 * m.pathLength >= cellCount &&
            (m.contacts < bestContacts || (m.contacts == bestContacts && m.pathLength > bestLength))) {
            bestContacts = m.contacts;
            bestLength = m.pathLength;
            report.bestDigits = d;
            report.bestTrial = report.trials;
        }
        ++report.trials;
        IncrementDigits(d);
        const double elapsed = clock() - t0;
        // Written so that a NaN budget or reading also ends the run.
        if (!(elapsed < budget) || elapsed < 0) break;
    }
    final(report);
    return report;
}

}  // namespace quivra::detail
