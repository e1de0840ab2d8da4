#include "ShufflePlaylist.h"

#include "PlaylistModel.h"
#include "WaitCursor.h"

#include <ctime>

namespace tavi::playlist {

namespace {

// Counts which positions are still free and finds the k-th free one (a Fenwick tree).
class FreePositions {
public:
    explicit FreePositions(int n) : m_tree(std::size_t(n) + 1, 0) {
        for (int i = 1; i <= n; ++i) {
            m_tree[std::size_t(i)] += 1;
            const int parent = i + (i & -i);
            if (parent <= n) {
                m_tree[std::size_t(parent)] += m_tree[std::size_t(i)];
            }
        }
        m_top = 1;
        while (m_top * 2 <= n) {
            m_top *= 2;
        }
    }
    // Takes the k-th (0-based) free position and returns it.
    int take(int k) {
        int pos = 0;
        for (int step = m_top; step > 0; step /= 2) {
            const int next = pos + step;
            if (next < int(m_tree.size()) && m_tree[std::size_t(next)] <= k) {
                pos = next;
                k -= m_tree[std::size_t(next)];
            }
        }
        for (int i = pos + 1; i < int(m_tree.size()); i += i & -i) {
            m_tree[std::size_t(i)] -= 1;
        }
        return pos;
    }

private:
    std::vector<int> m_tree;
    int m_top = 1;
};

int draw(RuntimeRandom& random, int range) {
    constexpr int kSpan = RuntimeRandom::kMax + 1;
    if (range <= kSpan) {
        return random.next() % range;
    }
    const int high = random.next();
    return int((int64_t(high) * kSpan + random.next()) % range);
}

}  // namespace

std::vector<int> ShuffleOrder(int n, RuntimeRandom& random) {
    std::vector<int> order;
    if (n <= 0) {
        return order;
    }
    order.reserve(std::size_t(n));
    FreePositions free(n);
    for (int i = 0; i < n; ++i) {
        order.push_back(free.take(draw(random, n - i)));
    }
    return order;
}

bool ShufflePlaylist(PlaylistModel& model) {
    const int n = model.count();
    if (n == 0) {
        return false;
    }
    WaitCursor wait;
    RuntimeRandom random(uint32_t(std::time(nullptr) % 32767));
    model.reorder(ShuffleOrder(n, random), 0);
    return true;
}

}  // namespace tavi::playlist
