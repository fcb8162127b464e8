#include "life.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace life {
namespace {

inline int Neighbour(Cell c) {
    return c > Dead ? 1 : 0;
}

// A dead cell is exactly the space; any other character, even one below the
// space that never counts as a neighbour, is treated as live and keeps its
// character while it survives.
inline Cell Apply(Cell c, int n, Rule rule) {
    if (c == Dead) return ((rule.birth >> n) & 1) ? Live : Dead;
    return ((rule.survival >> n) & 1) ? c : Dead;
}

// Cells with all eight neighbours inside the board, rows 1..rows-2 and
// columns 1..cols-2: no wrap or bounds test, shared by both universes.
#if defined(__SSE2__)
// Sixteen cells at a time. Each row's life (1 or 0 per cell, a byte each) is
// worked out once, when the row first comes in, and kept while the two rows
// below it are stepped; each row gets its column sums, then the counts, and the
// rule is applied as masks, one comparison per digit of the rule, so that no
// cell takes a branch. What is left of a row at its end goes one cell at a time.
void StepInterior(const Cell* in, Cell* out, int rows, int cols, Rule rule) {
    if (cols < 3 || rows < 3) return;  // no interior, and the sums below would read past a row
    __m128i births[9], survivals[9];
    int nb = 0, ns = 0;
    for (int n = 0; n <= 8; ++n) {
        if ((rule.birth >> n) & 1) births[nb++] = _mm_set1_epi8(char(n));
        if ((rule.survival >> n) & 1) survivals[ns++] = _mm_set1_epi8(char(n));
    }
    const __m128i space = _mm_set1_epi16(short(Dead)), zero = _mm_setzero_si128(), one = _mm_set1_epi8(1);
    const __m128i dotXorSpace = _mm_xor_si128(_mm_set1_epi16(short(Live)), space);
    // Rows of life and the column sums, each with room for a last group read whole.
    const size_t stride = size_t(cols) + 16;
    std::vector<uint8_t> buffer(4 * stride);
    uint8_t* rowLife[3] = {buffer.data(), buffer.data() + stride, buffer.data() + 2 * stride};
    uint8_t* v = buffer.data() + 3 * stride;
    // Fills a row of life; returns whether the row has a live cell.
    auto fillLife = [&](const Cell* line, uint8_t* dst) {
        __m128i any = zero;
        int c = 0;
        for (; c + 16 <= cols; c += 16) {
            // 0xFFFF where the cell is the space or below it, packed to 0xFF.
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + c));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + c + 8));
            const __m128i dead = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_subs_epu16(a, space), zero),
                                                 _mm_cmpeq_epi16(_mm_subs_epu16(b, space), zero));
            const __m128i live = _mm_andnot_si128(dead, one);
            any = _mm_or_si128(any, live);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c), live);
        }
        bool some = _mm_movemask_epi8(_mm_cmpeq_epi8(any, zero)) != 0xFFFF;
        for (; c < cols; ++c) some |= (dst[c] = uint8_t(Neighbour(line[c]))) != 0;
        return some;
    };
    // Without birth or survival on zero, a row with no live cell in it or next to it
    // becomes all spaces: most of a universe, most of the time.
    const bool emptyStaysEmpty = !(rule.birth & 1) && !(rule.survival & 1);
    bool inhabited[3];
    inhabited[0] = fillLife(in, rowLife[0]);
    inhabited[1] = fillLife(in + cols, rowLife[1]);
    for (int r = 1; r < rows - 1; ++r) {
        const Cell* mid = in + r * cols;
        uint8_t* const above = rowLife[(r - 1) % 3];
        uint8_t* const middle = rowLife[r % 3];
        uint8_t* const below = rowLife[(r + 1) % 3];
        inhabited[(r + 1) % 3] = fillLife(mid + cols, below);
        Cell* dst = out + r * cols;
        if (emptyStaysEmpty && !inhabited[0] && !inhabited[1] && !inhabited[2]) {
            int c = 1;
            for (; c + 8 <= cols - 1; c += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c), space);
            for (; c < cols - 1; ++c) dst[c] = Dead;
            continue;
        }
        int c = 0;
        for (; c + 16 <= cols; c += 16) {
            const __m128i sum =
                _mm_add_epi8(_mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(above + c)),
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(middle + c))),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(below + c)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(v + c), sum);
        }
        for (; c < cols; ++c) v[c] = uint8_t(above[c] + middle[c] + below[c]);
        c = 1;
        for (; c + 16 <= cols - 1; c += 16) {
            __m128i n = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c - 1)),
                                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c)));
            n = _mm_sub_epi8(_mm_add_epi8(n, _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c + 1))),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(middle + c)));
            __m128i born = zero, stays = zero;
            for (int k = 0; k < nb; ++k) born = _mm_or_si128(born, _mm_cmpeq_epi8(n, births[k]));
            for (int k = 0; k < ns; ++k) stays = _mm_or_si128(stays, _mm_cmpeq_epi8(n, survivals[k]));
            // Back to one lane per cell, eight cells at a time: a dead cell becomes the
            // dot where it is born, another keeps its character where it survives.
            for (int half = 0; half < 2; ++half) {
                const __m128i bornHalf = half ? _mm_unpackhi_epi8(born, born) : _mm_unpacklo_epi8(born, born);
                const __m128i staysHalf = half ? _mm_unpackhi_epi8(stays, stays) : _mm_unpacklo_epi8(stays, stays);
                const __m128i cell = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mid + c + 8 * half));
                const __m128i isDead = _mm_cmpeq_epi16(cell, space);
                const __m128i ifDead = _mm_xor_si128(space, _mm_and_si128(bornHalf, dotXorSpace));
                const __m128i ifLive = _mm_xor_si128(space, _mm_and_si128(staysHalf, _mm_xor_si128(cell, space)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c + 8 * half),
                                 _mm_xor_si128(ifLive, _mm_and_si128(isDead, _mm_xor_si128(ifDead, ifLive))));
            }
        }
        for (; c < cols - 1; ++c) {
            const Cell cell = mid[c];
            dst[c] = Apply(cell, v[c - 1] + v[c] + v[c + 1] - middle[c], rule);
        }
    }
}
#else
// The three-cell column sums slide along the row, so each cell is tested for
// life three times instead of eight.
void StepInterior(const Cell* in, Cell* out, int rows, int cols, Rule rule) {
    if (cols < 3) return;  // no interior, and the sums below would read past a row
    for (int r = 1; r < rows - 1; ++r) {
        const Cell* up = in + (r - 1) * cols;
        const Cell* mid = up + cols;
        const Cell* down = mid + cols;
        Cell* dst = out + r * cols;
        int left = Neighbour(up[0]) + Neighbour(mid[0]) + Neighbour(down[0]);
        int centre = Neighbour(up[1]) + Neighbour(mid[1]) + Neighbour(down[1]);
        for (int c = 1; c < cols - 1; ++c) {
            const int right = Neighbour(up[c + 1]) + Neighbour(mid[c + 1]) + Neighbour(down[c + 1]);
            const Cell cell = mid[c];
            dst[c] = Apply(cell, left + centre + right - Neighbour(cell), rule);
            left = centre;
            centre = right;
        }
    }
}
#endif

// Calls f(r, c) once for each cell of the outer ring, whatever the size.
template <class F>
void ForEachBorderCell(int rows, int cols, F f) {
    if (rows <= 0 || cols <= 0) return;
    for (int c = 0; c < cols; ++c) f(0, c);
    if (rows > 1)
        for (int c = 0; c < cols; ++c) f(rows - 1, c);
    for (int r = 1; r < rows - 1; ++r) {
        f(r, 0);
        if (cols > 1) f(r, cols - 1);
    }
}

}  // namespace

Rule RuleFromDigits(std::u16string_view birth, std::u16string_view survival) {
    auto bits = [](std::u16string_view digits) {
        uint16_t b = 0;
        for (char16_t ch : digits)
            if (ch >= u'0' && ch <= u'8') b |= uint16_t(1u << (ch - u'0'));
        return b;
    };
    return Rule{bits(birth), bits(survival)};
}

bool StepTorus(const Cell* in, Cell* out, int rows, int cols, Rule rule) {
    StepInterior(in, out, rows, cols, rule);
    bool edge = false;
    ForEachBorderCell(rows, cols, [&](int r, int c) {
        // Each of the eight positions wraps on its own: with one or two rows or
        // columns the same cell is read more than once, the cell itself included.
        int n = 0;
        for (int dx = -1; dx <= 1; ++dx) {
            int x = c + dx;
            x = x < 0 ? cols - 1 : (x >= cols ? 0 : x);
            for (int dy = -1; dy <= 1; ++dy) {
                if (dx == 0 && dy == 0) continue;
                int y = r + dy;
                y = y < 0 ? rows - 1 : (y >= rows ? 0 : y);
                n += Neighbour(in[y * cols + x]);
            }
        }
        const Cell cell = in[r * cols + c];
        if (Neighbour(cell)) edge = true;
        out[r * cols + c] = Apply(cell, n, rule);
    });
    return edge;
}

void StepBounded(const Cell* in, Cell* out, int n, Rule rule) {
    StepInterior(in, out, n, n, rule);
    if (n <= 0) return;
    // The first and last rows: the three-cell column sums of the row and its one
    // neighbour row slide along it, positions outside counting as dead.
    auto edgeRow = [&](int r, int neighbourRow) {
        const Cell* line = in + r * n;
        const Cell* other = neighbourRow >= 0 ? in + neighbourRow * n : nullptr;
        auto column = [&](int c) { return c < n ? Neighbour(line[c]) + (other ? Neighbour(other[c]) : 0) : 0; };
        int left = 0, centre = column(0);
        for (int c = 0; c < n; ++c) {
            const int right = column(c + 1);
            out[r * n + c] = Apply(line[c], left + centre + right - Neighbour(line[c]), rule);
            left = centre;
            centre = right;
        }
    };
    edgeRow(0, n > 1 ? 1 : -1);
    if (n > 1) edgeRow(n - 1, n - 2);
    // The first and last columns of the rows between.
    auto lives = [&](int r, int c) { return unsigned(c) < unsigned(n) ? Neighbour(in[r * n + c]) : 0; };
    for (int r = 1; r < n - 1; ++r)
        for (int c : {0, n - 1}) {
            const int count = lives(r - 1, c - 1) + lives(r - 1, c) + lives(r - 1, c + 1) + lives(r, c - 1) +
                              lives(r, c + 1) + lives(r + 1, c - 1) + lives(r + 1, c) + lives(r + 1, c + 1);
            out[r * n + c] = Apply(in[r * n + c], count, rule);
        }
}

int DrawnColumns(const Cell* row, int from, int to, int* cols) {
    int n = 0, c = std::max(from, 0);
#if defined(__SSE2__)
    // Sixteen cells at a time, a bit each: a group without a dot is passed over with
    // one comparison.
    const __m128i dot = _mm_set1_epi16(short(Live));
    for (; c + 16 <= to; c += 16) {
        const __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c)), dot);
        const __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c + 8)), dot);
        unsigned bits = unsigned(_mm_movemask_epi8(_mm_packs_epi16(a, b)));
        while (bits) {
            cols[n++] = c + __builtin_ctz(bits);
            bits &= bits - 1;
        }
    }
#endif
    for (; c < to; ++c)
        if (row[c] == Live) cols[n++] = c;
    return n;
}

bool InEdgeBand(const Cell* board, int n) {
    if (n <= 0) return false;
    auto liveIn = [&](int r0, int r1, int c0, int c1) {
        r0 = std::max(r0, 0), c0 = std::max(c0, 0);
        r1 = std::min(r1, n - 1), c1 = std::min(c1, n - 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                if (Neighbour(board[r * n + c])) return true;
        return false;
    };
    return liveIn(0, n - 1, 0, 4) || liveIn(0, n - 1, n - 6, n - 1) || liveIn(0, 4, 0, n - 1) ||
           liveIn(n - 6, n - 1, 0, n - 1);
}

}  // namespace life
