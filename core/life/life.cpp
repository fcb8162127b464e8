#include "life.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace life {
namespace {

inline int Live(Cell c) {
    return c > Mort ? 1 : 0;
}

// A dead cell is exactly the space; any other character, even one below the
// space that never counts as a neighbour, is treated as live and keeps its
// character while it survives.
inline Cell Apply(Cell c, int n, Rule rule) {
    if (c == Mort) return ((rule.birth >> n) & 1) ? Vivant : Mort;
    return ((rule.survival >> n) & 1) ? c : Mort;
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
    __m128i naissance[9], survie[9];
    int nn = 0, ns = 0;
    for (int n = 0; n <= 8; ++n) {
        if ((rule.birth >> n) & 1) naissance[nn++] = _mm_set1_epi8(char(n));
        if ((rule.survival >> n) & 1) survie[ns++] = _mm_set1_epi8(char(n));
    }
    const __m128i espace = _mm_set1_epi16(short(Mort)), zero = _mm_setzero_si128(), un = _mm_set1_epi8(1);
    const __m128i pointOuEspace = _mm_xor_si128(_mm_set1_epi16(short(Vivant)), espace);
    // Rows of life and the column sums, each with room for a last group read whole.
    const size_t pas = size_t(cols) + 16;
    std::vector<uint8_t> tampon(4 * pas);
    uint8_t* vie[3] = {tampon.data(), tampon.data() + pas, tampon.data() + 2 * pas};
    uint8_t* v = tampon.data() + 3 * pas;
    // Fills a row of life; returns whether the row has a live cell.
    auto remplit = [&](const Cell* ligne, uint8_t* dst) {
        __m128i toutes = zero;
        int c = 0;
        for (; c + 16 <= cols; c += 16) {
            // 0xFFFF where the cell is the space or below it, packed to 0xFF.
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ligne + c));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ligne + c + 8));
            const __m128i mortes = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_subs_epu16(a, espace), zero),
                                                   _mm_cmpeq_epi16(_mm_subs_epu16(b, espace), zero));
            const __m128i vivantes = _mm_andnot_si128(mortes, un);
            toutes = _mm_or_si128(toutes, vivantes);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c), vivantes);
        }
        bool une = _mm_movemask_epi8(_mm_cmpeq_epi8(toutes, zero)) != 0xFFFF;
        for (; c < cols; ++c) une |= (dst[c] = uint8_t(Live(ligne[c]))) != 0;
        return une;
    };
    // Without birth or survival on zero, a row with no live cell in it or next to it
    // becomes all spaces: most of a universe, most of the time.
    const bool videResteVide = !(rule.birth & 1) && !(rule.survival & 1);
    bool habitee[3];
    habitee[0] = remplit(in, vie[0]);
    habitee[1] = remplit(in + cols, vie[1]);
    for (int r = 1; r < rows - 1; ++r) {
        const Cell* mid = in + r * cols;
        uint8_t* const haut = vie[(r - 1) % 3];
        uint8_t* const milieu = vie[r % 3];
        uint8_t* const bas = vie[(r + 1) % 3];
        habitee[(r + 1) % 3] = remplit(mid + cols, bas);
        Cell* dst = out + r * cols;
        if (videResteVide && !habitee[0] && !habitee[1] && !habitee[2]) {
            int c = 1;
            for (; c + 8 <= cols - 1; c += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c), espace);
            for (; c < cols - 1; ++c) dst[c] = Mort;
            continue;
        }
        int c = 0;
        for (; c + 16 <= cols; c += 16) {
            const __m128i somme =
                _mm_add_epi8(_mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(haut + c)),
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(milieu + c))),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(bas + c)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(v + c), somme);
        }
        for (; c < cols; ++c) v[c] = uint8_t(haut[c] + milieu[c] + bas[c]);
        c = 1;
        for (; c + 16 <= cols - 1; c += 16) {
            __m128i n = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c - 1)),
                                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c)));
            n = _mm_sub_epi8(_mm_add_epi8(n, _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + c + 1))),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(milieu + c)));
            __m128i nait = zero, reste = zero;
            for (int k = 0; k < nn; ++k) nait = _mm_or_si128(nait, _mm_cmpeq_epi8(n, naissance[k]));
            for (int k = 0; k < ns; ++k) reste = _mm_or_si128(reste, _mm_cmpeq_epi8(n, survie[k]));
            // Back to one lane per cell, eight cells at a time: a dead cell becomes the
            // dot where it is born, another keeps its character where it survives.
            for (int moitie = 0; moitie < 2; ++moitie) {
                const __m128i na = moitie ? _mm_unpackhi_epi8(nait, nait) : _mm_unpacklo_epi8(nait, nait);
                const __m128i re = moitie ? _mm_unpackhi_epi8(reste, reste) : _mm_unpacklo_epi8(reste, reste);
                const __m128i cell = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mid + c + 8 * moitie));
                const __m128i mort = _mm_cmpeq_epi16(cell, espace);
                const __m128i siMort = _mm_xor_si128(espace, _mm_and_si128(na, pointOuEspace));
                const __m128i siVivant = _mm_xor_si128(espace, _mm_and_si128(re, _mm_xor_si128(cell, espace)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c + 8 * moitie),
                                 _mm_xor_si128(siVivant, _mm_and_si128(mort, _mm_xor_si128(siMort, siVivant))));
            }
        }
        for (; c < cols - 1; ++c) {
            const Cell cell = mid[c];
            dst[c] = Apply(cell, v[c - 1] + v[c] + v[c + 1] - milieu[c], rule);
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
        int left = Live(up[0]) + Live(mid[0]) + Live(down[0]);
        int centre = Live(up[1]) + Live(mid[1]) + Live(down[1]);
        for (int c = 1; c < cols - 1; ++c) {
            const int right = Live(up[c + 1]) + Live(mid[c + 1]) + Live(down[c + 1]);
            const Cell cell = mid[c];
            dst[c] = Apply(cell, left + centre + right - Live(cell), rule);
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

Rule RuleFromDigits(std::u16string_view crea, std::u16string_view survie) {
    auto bits = [](std::u16string_view digits) {
        uint16_t b = 0;
        for (char16_t ch : digits)
            if (ch >= u'0' && ch <= u'8') b |= uint16_t(1u << (ch - u'0'));
        return b;
    };
    return Rule{bits(crea), bits(survie)};
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
                n += Live(in[y * cols + x]);
            }
        }
        const Cell cell = in[r * cols + c];
        if (Live(cell)) edge = true;
        out[r * cols + c] = Apply(cell, n, rule);
    });
    return edge;
}

void StepBounded(const Cell* in, Cell* out, int n, Rule rule) {
    StepInterior(in, out, n, n, rule);
    if (n <= 0) return;
    // The first and last rows: the three-cell column sums of the row and its one
    // neighbour row slide along it, positions outside counting as dead.
    auto rangee = [&](int r, int voisine) {
        const Cell* ligne = in + r * n;
        const Cell* autre = voisine >= 0 ? in + voisine * n : nullptr;
        auto colonne = [&](int c) { return c < n ? Live(ligne[c]) + (autre ? Live(autre[c]) : 0) : 0; };
        int gauche = 0, centre = colonne(0);
        for (int c = 0; c < n; ++c) {
            const int droite = colonne(c + 1);
            out[r * n + c] = Apply(ligne[c], gauche + centre + droite - Live(ligne[c]), rule);
            gauche = centre;
            centre = droite;
        }
    };
    rangee(0, n > 1 ? 1 : -1);
    if (n > 1) rangee(n - 1, n - 2);
    // The first and last columns of the rows between.
    auto vit = [&](int r, int c) { return unsigned(c) < unsigned(n) ? Live(in[r * n + c]) : 0; };
    for (int r = 1; r < n - 1; ++r)
        for (int c : {0, n - 1}) {
            const int count = vit(r - 1, c - 1) + vit(r - 1, c) + vit(r - 1, c + 1) + vit(r, c - 1) + vit(r, c + 1) +
                              vit(r + 1, c - 1) + vit(r + 1, c) + vit(r + 1, c + 1);
            out[r * n + c] = Apply(in[r * n + c], count, rule);
        }
}

int DrawnColumns(const Cell* row, int from, int to, int* cols) {
    int n = 0, c = std::max(from, 0);
#if defined(__SSE2__)
    // Sixteen cells at a time, a bit each: a group without a dot is passed over with
    // one comparison.
    const __m128i point = _mm_set1_epi16(short(Vivant));
    for (; c + 16 <= to; c += 16) {
        const __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c)), point);
        const __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c + 8)), point);
        unsigned bits = unsigned(_mm_movemask_epi8(_mm_packs_epi16(a, b)));
        while (bits) {
            cols[n++] = c + __builtin_ctz(bits);
            bits &= bits - 1;
        }
    }
#endif
    for (; c < to; ++c)
        if (row[c] == Vivant) cols[n++] = c;
    return n;
}

int CountLive(const Cell* board, int count) {
    return int(std::count(board, board + count, Vivant));
}

bool InEdgeBand(const Cell* board, int n) {
    if (n <= 0) return false;
    auto liveIn = [&](int r0, int r1, int c0, int c1) {
        r0 = std::max(r0, 0), c0 = std::max(c0, 0);
        r1 = std::min(r1, n - 1), c1 = std::min(c1, n - 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                if (Live(board[r * n + c])) return true;
        return false;
    };
    return liveIn(0, n - 1, 0, 4) || liveIn(0, n - 1, n - 6, n - 1) || liveIn(0, 4, 0, n - 1) ||
           liveIn(n - 6, n - 1, 0, n - 1);
}

bool SameBoard(const Cell* a, const Cell* b, int count) {
    return std::equal(a, a + count, b);
}

}  // namespace life
