// SPDX-License-Identifier: GPL-3.0-or-later
// The team's yardstick for maze generation speed, kept as it was written (built at -O2, as it is
// quoted): how many carve+solve candidates fit in 0.25 s at W x H cells.
#include "bench/plain_dfs.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

namespace quivra::bench {

namespace {

struct Maze {
    int w, h, deg;
    std::vector<uint8_t> open;
};

inline int nbr(int w, int h, int deg, int c, int d) {
    int x = c % w, y = c / w;
    if (deg == 4) {
        static const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, 1, 0, -1};
        x += dx[d];
        y += dy[d];
    } else {
        static const int ex[6] = {1, 1, 0, -1, 0, 1}, ey[6] = {0, 1, 1, 0, -1, -1};
        static const int ox[6] = {1, 0, -1, -1, -1, 0}, oy[6] = {0, 1, 1, 0, -1, -1};
        if (y & 1) {
            x += ex[d];
            y += ey[d];
        } else {
            x += ox[d];
            y += oy[d];
        }
    }
    if (x < 0 || y < 0 || x >= w || y >= h) return -1;
    return y * w + x;
}

template <class R>
void carve(Maze& m, R& rng, std::vector<int>& stk, std::vector<uint8_t>& vis) {
    int n = m.w * m.h;
    vis.assign(n, 0);
    m.open.assign(n, 0);
    stk.clear();
    stk.push_back(0);
    vis[0] = 1;
    int cand[6];
    while (!stk.empty()) {
        int c = stk.back(), k = 0;
        for (int d = 0; d < m.deg; d++) {
            int q = nbr(m.w, m.h, m.deg, c, d);
            if (q >= 0 && !vis[q]) cand[k++] = d;
        }
        if (!k) {
            stk.pop_back();
            continue;
        }
        int d = cand[rng() % k], q = nbr(m.w, m.h, m.deg, c, d);
        m.open[c] |= 1 << d;
        vis[q] = 1;
        stk.push_back(q);
    }
}

int pathlen(const Maze& m, std::vector<int>& dist, std::vector<int>& q) {
    int n = m.w * m.h;
    dist.assign(n, -1);
    q.clear();
    q.push_back(0);
    dist[0] = 0;
    for (size_t i = 0; i < q.size(); i++) {
        int c = q[i];
        for (int d = 0; d < m.deg; d++) {
            int p = nbr(m.w, m.h, m.deg, c, d);
            if (p < 0 || dist[p] >= 0) continue;
            bool ok = (m.open[c] >> d) & 1;
            for (int e = 0; !ok && e < m.deg; e++) ok = ((m.open[p] >> e) & 1) && nbr(m.w, m.h, m.deg, p, e) == c;
            if (ok) {
                dist[p] = dist[c] + 1;
                q.push_back(p);
            }
        }
    }
    return dist[n - 1] + 1;
}

}  // namespace

long PlainDfsCandidates(bool hex, int width, int height, double seconds) {
    Maze m{width, height, hex ? 6 : 4, {}};
    std::mt19937 rng(12345);
    std::vector<int> stk, dist, q;
    std::vector<uint8_t> vis;
    long count = 0, sink = 0;
    auto t0 = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() < seconds) {
        carve(m, rng, stk, vis);
        sink += pathlen(m, dist, q);
        count++;
    }
    return count + (sink < 0);
}

}  // namespace quivra::bench
