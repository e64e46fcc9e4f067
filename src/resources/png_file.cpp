#include "resources/png_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <queue>
#include <stdexcept>
#include <utility>
#include <vector>

namespace vandrel {

std::vector<int> HuffmanCodeLengths(std::vector<std::uint32_t> counts, int limit) {
    const std::size_t n = counts.size();
    // Some decoders refuse a code that is not complete, and one symbol alone cannot be.
    std::size_t used = counts.size() - std::count(counts.begin(), counts.end(), 0u);
    for (std::size_t s = 0; used < 2 && s < n; ++s) {
        if (counts[s] == 0) {
            counts[s] = 1;
            ++used;
        }
    }
    if (n < 2 || limit < 1 || limit > 30 || used > (std::size_t{1} << limit)) {
        throw std::invalid_argument("no Huffman code of that limit fits these symbols");
    }
    for (;;) {
        std::vector<int> parent(n, -1);
        using Item = std::pair<std::uint64_t, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
        for (std::size_t s = 0; s < n; ++s) {
            if (counts[s]) queue.push({counts[s], static_cast<int>(s)});
        }
        while (queue.size() > 1) {
            const Item a = queue.top();
            queue.pop();
            const Item b = queue.top();
            queue.pop();
            const int node = static_cast<int>(parent.size());
            parent.push_back(-1);
            parent[a.second] = parent[b.second] = node;
            queue.push({a.first + b.first, node});
        }
        std::vector<int> lengths(n, 0);
        int deepest = 0;
        for (std::size_t s = 0; s < n; ++s) {
            if (counts[s] == 0) continue;
            for (int p = parent[s]; p >= 0; p = parent[p]) ++lengths[s];
            deepest = std::max(deepest, lengths[s]);
        }
        if (deepest <= limit) return lengths;
        // Flatten the counts until the deepest code fits.
        for (std::uint32_t& count : counts) count = (count + 1) / 2;
    }
}

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kMaxChain = 256;                 // candidates tried per position: speed against size
constexpr std::size_t kBlockTokens = 1 << 14;  // fresh codes this often follow changes in the data
constexpr std::size_t kStoredMax = 65535;
constexpr std::size_t kIdatBytes = 1 << 16;

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of its code-length code.
constexpr int kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

// The code of a length or distance: the last base not above it.
template <std::size_t N>
int CodeOf(const int (&bases)[N], int value) {
    return static_cast<int>(std::upper_bound(bases, bases + N, value) - bases) - 1;
}

std::uint32_t Crc32(const std::string& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i) {
        crc = table[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// Deflate packs values from the least significant bit up, but Huffman codes
// from their most significant bit.
class BitWriter {
  public:
    void Put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (bits_ % 8 == 0) out_.push_back(0);
            out_.back() =
                static_cast<std::uint8_t>(out_.back() | ((value >> i) & 1) << (bits_ % 8));
            ++bits_;
        }
    }
    void PutCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Put(code >> i, 1);
    }
    void AlignToByte() { bits_ = out_.size() * 8; }
    void PutBytes(const std::uint8_t* begin, const std::uint8_t* end) {
        AlignToByte();
        out_.insert(out_.end(), begin, end);
        AlignToByte();
    }
    std::size_t bits() const { return bits_; }
    Bytes& bytes() { return out_; }

  private:
    Bytes out_;
    std::size_t bits_ = 0;
};

// A literal byte (length 0) or a copy of `length` bytes from `value` back.
struct Token {
    std::uint16_t length;
    std::uint16_t value;
};

std::vector<Token> FindMatches(const Bytes& data) {
    constexpr int kHashBits = 15;
    const std::size_t n = data.size();
    std::vector<std::int64_t> head(1 << kHashBits, -1), prev(kWindow, -1);
    auto hash = [&](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & ((1 << kHashBits) - 1);
    };
    auto insert = [&](std::size_t i) {
        if (i + kMinMatch > n) return;
        prev[i % kWindow] = head[hash(i)];
        head[hash(i)] = static_cast<std::int64_t>(i);
    };
    // The longest earlier match for position i, 0 when there is none worth a copy.
    auto longest = [&](std::size_t i, int& distance) {
        if (i + kMinMatch > n) return 0;
        const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, n - i));
        int best = 0;
        std::int64_t candidate = head[hash(i)];
        // A slot of prev is reused a window later, so the chain means nothing beyond it.
        for (int chain = kMaxChain; candidate >= 0 && i - candidate <= kWindow && chain > 0;
             --chain) {
            int length = 0;
            while (length < limit && data[candidate + length] == data[i + length]) ++length;
            if (length > best) {
                best = length;
                distance = static_cast<int>(i - candidate);
                if (length == limit) break;
            }
            candidate = prev[candidate % kWindow];
        }
        return best >= kMinMatch ? best : 0;
    };
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < n;) {
        int distance = 0;
        const int length = longest(i, distance);
        insert(i);
        int later = 0;
        // Putting a match off by one byte pays when the next one is longer; long
        // matches are taken at once, as the search would cost more than it finds.
        if (length == 0 || (length < 32 && longest(i + 1, later) > length)) {
            tokens.push_back({0, data[i]});
            ++i;
            continue;
        }
        tokens.push_back(
            {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)});
        for (int k = 1; k < length; ++k) insert(i + k);
        i += length;
    }
    return tokens;
}

std::vector<std::uint32_t> CanonicalCodes(const std::vector<int>& lengths) {
    std::array<std::uint32_t, 17> count{}, next{};
    for (int length : lengths) count[length] += length > 0;
    std::uint32_t code = 0;
    for (int bits = 1; bits <= 16; ++bits) next[bits] = code = (code + count[bits - 1]) << 1;
    std::vector<std::uint32_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        if (lengths[s]) codes[s] = next[lengths[s]]++;
    }
    return codes;
}

struct Code {
    std::vector<int> lengths;
    std::vector<std::uint32_t> codes;
    explicit Code(std::vector<int> l) : lengths(std::move(l)), codes(CanonicalCodes(lengths)) {}
    void Write(BitWriter& out, int symbol) const { out.PutCode(codes[symbol], lengths[symbol]); }
};

// One block's worth of tokens and how often each symbol occurs in them.
struct Block {
    const Token* begin;
    const Token* end;
    std::size_t from, to;  // the input bytes the tokens stand for
    std::vector<std::uint32_t> literals = std::vector<std::uint32_t>(286, 0);
    std::vector<std::uint32_t> distances = std::vector<std::uint32_t>(30, 0);
    std::uint64_t extra_bits = 0;
};

std::uint64_t SymbolBits(const Block& block, const Code& literals, const Code& distances) {
    std::uint64_t bits = block.extra_bits;
    for (std::size_t s = 0; s < block.literals.size(); ++s) {
        bits += block.literals[s] * literals.lengths[s];
    }
    for (std::size_t s = 0; s < block.distances.size(); ++s) {
        bits += block.distances[s] * distances.lengths[s];
    }
    return bits;
}

// The literal/length and distance code lengths, run-length coded with the
// code-length code: 16 repeats the previous length, 17 and 18 give zeros.
void WriteDynamicHeader(BitWriter& out, const Code& literals, const Code& distances) {
    int literal_count = 286, distance_count = 30;
    while (literal_count > 257 && literals.lengths[literal_count - 1] == 0) --literal_count;
    while (distance_count > 1 && distances.lengths[distance_count - 1] == 0) --distance_count;
    std::vector<int> all(literals.lengths.begin(), literals.lengths.begin() + literal_count);
    all.insert(all.end(), distances.lengths.begin(), distances.lengths.begin() + distance_count);
    std::vector<std::pair<int, int>> runs;  // symbol, extra bits value
    for (std::size_t i = 0; i < all.size();) {
        std::size_t run = 1;
        while (i + run < all.size() && all[i + run] == all[i]) ++run;
        if (all[i] == 0 && run >= 3) {
            const int take = static_cast<int>(std::min<std::size_t>(run, 138));
            runs.push_back(take >= 11 ? std::pair{18, take - 11} : std::pair{17, take - 3});
            i += take;
        } else if (i > 0 && all[i - 1] == all[i] && run >= 3) {
            const int take = static_cast<int>(std::min<std::size_t>(run, 6));
            runs.push_back({16, take - 3});
            i += take;
        } else {
            runs.push_back({all[i], 0});
            ++i;
        }
    }
    std::vector<std::uint32_t> counts(19, 0);
    for (const auto& run : runs) ++counts[run.first];
    const Code lengths(HuffmanCodeLengths(counts, 7));
    int order_count = 19;
    while (order_count > 4 && lengths.lengths[kCodeLengthOrder[order_count - 1]] == 0) {
        --order_count;
    }
    out.Put(literal_count - 257, 5);
    out.Put(distance_count - 1, 5);
    out.Put(order_count - 4, 4);
    for (int i = 0; i < order_count; ++i) out.Put(lengths.lengths[kCodeLengthOrder[i]], 3);
    for (const auto& [symbol, extra] : runs) {
        lengths.Write(out, symbol);
        if (symbol >= 16) out.Put(extra, symbol == 16 ? 2 : symbol == 17 ? 3 : 7);
    }
}

void WriteTokens(BitWriter& out, const Block& block, const Code& literals, const Code& distances) {
    for (const Token* t = block.begin; t != block.end; ++t) {
        if (t->length == 0) {
            literals.Write(out, t->value);
            continue;
        }
        const int length = CodeOf(kLengthBase, t->length),
                  distance = CodeOf(kDistanceBase, t->value);
        literals.Write(out, 257 + length);
        out.Put(t->length - kLengthBase[length], kLengthExtra[length]);
        distances.Write(out, distance);
        out.Put(t->value - kDistanceBase[distance], kDistanceExtra[distance]);
    }
    literals.Write(out, 256);  // end of block
}

const Code& FixedLiterals() {
    static const Code code = [] {
        std::vector<int> lengths(288, 8);
        std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
        std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
        return Code(lengths);
    }();
    return code;
}

const Code& FixedDistances() {
    static const Code code(std::vector<int>(30, 5));
    return code;
}

// Each block is written stored, with the fixed codes or with its own codes,
// whichever is smallest.
void WriteBlock(BitWriter& out, Block& block, const Bytes& data, bool last) {
    block.literals[256] = 1;
    for (const Token* t = block.begin; t != block.end; ++t) {
        if (t->length == 0) {
            ++block.literals[t->value];
            continue;
        }
        const int length = CodeOf(kLengthBase, t->length),
                  distance = CodeOf(kDistanceBase, t->value);
        ++block.literals[257 + length];
        ++block.distances[distance];
        block.extra_bits += kLengthExtra[length] + kDistanceExtra[distance];
    }
    const Code literals(HuffmanCodeLengths(block.literals, 15));
    const Code distances(HuffmanCodeLengths(block.distances, 15));
    BitWriter header;
    WriteDynamicHeader(header, literals, distances);
    const std::uint64_t dynamic = 3 + header.bits() + SymbolBits(block, literals, distances);
    const std::uint64_t fixed = 3 + SymbolBits(block, FixedLiterals(), FixedDistances());
    const std::size_t size = block.to - block.from;
    const std::uint64_t stored = ((size + kStoredMax - 1) / kStoredMax) * (3 + 7 + 32) + size * 8;
    if (stored <= std::min(fixed, dynamic)) {
        for (std::size_t at = block.from; at < block.to; at += kStoredMax) {
            const std::size_t piece = std::min(kStoredMax, block.to - at);
            out.Put(last && at + piece == block.to, 1);
            out.Put(0, 2);
            out.AlignToByte();
            out.Put(static_cast<std::uint32_t>(piece), 16);
            out.Put(static_cast<std::uint32_t>(~piece & 0xFFFF), 16);
            out.PutBytes(data.data() + at, data.data() + at + piece);
        }
    } else if (fixed <= dynamic) {
        out.Put(last, 1);
        out.Put(1, 2);
        WriteTokens(out, block, FixedLiterals(), FixedDistances());
    } else {
        out.Put(last, 1);
        out.Put(2, 2);
        WriteDynamicHeader(out, literals, distances);
        WriteTokens(out, block, literals, distances);
    }
}

// A zlib stream: header, deflate blocks, Adler-32 of the data.
Bytes Compress(const Bytes& data) {
    const std::vector<Token> tokens = FindMatches(data);
    BitWriter out;
    out.Put(0x78, 8);  // deflate with a 32 KB window
    out.Put(0x9C, 8);  // default level, no preset dictionary; makes the pair a multiple of 31
    std::size_t at = 0;
    for (std::size_t first = 0; first < tokens.size(); first += kBlockTokens) {
        const std::size_t end = std::min(tokens.size(), first + kBlockTokens);
        Block block{tokens.data() + first, tokens.data() + end, at, at};
        for (std::size_t i = first; i < end; ++i) {
            block.to += tokens[i].length ? tokens[i].length : 1;
        }
        at = block.to;
        WriteBlock(out, block, data, end == tokens.size());
    }
    out.AlignToByte();
    const std::uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.Put(adler >> shift, 8);
    return std::move(out.bytes());
}

int Paeth(int left, int up, int up_left) {
    const int p = left + up - up_left;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - up_left);
    if (pa <= pb && pa <= pc) return left;
    return pb <= pc ? up : up_left;
}

// Each row as RGBA behind a filter byte; the filter is the one whose output
// bytes, taken as signed, are smallest in sum, as they tend to compress best.
Bytes FilteredRows(const Image& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    Bytes raw;
    raw.reserve(stride * image.height);
    for (std::uint32_t pixel : image.pixels) {
        for (int shift : {16, 8, 0, 24}) raw.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
    Bytes out;
    out.reserve((stride + 1) * image.height);
    const Bytes zeros(stride, 0);
    std::array<Bytes, 5> trial;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = raw.data() + y * stride;
        const std::uint8_t* up = y > 0 ? row - stride : zeros.data();
        std::size_t best = 0;
        std::uint64_t best_sum = UINT64_MAX;
        for (std::size_t filter = 0; filter < trial.size(); ++filter) {
            trial[filter].resize(stride);
            std::uint64_t sum = 0;
            for (std::size_t x = 0; x < stride; ++x) {
                const int left = x >= 4 ? row[x - 4] : 0, up_left = x >= 4 ? up[x - 4] : 0;
                const int predicted = filter == 0   ? 0
                                      : filter == 1 ? left
                                      : filter == 2 ? up[x]
                                      : filter == 3 ? (left + up[x]) / 2
                                                    : Paeth(left, up[x], up_left);
                const auto value = static_cast<std::uint8_t>(row[x] - predicted);
                trial[filter][x] = value;
                sum += value < 128 ? value : 256 - value;
            }
            if (sum < best_sum) {
                best = filter;
                best_sum = sum;
            }
        }
        out.push_back(static_cast<std::uint8_t>(best));
        out.insert(out.end(), trial[best].begin(), trial[best].end());
    }
    return out;
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out += type;
    out += data;
    PutU32(out, Crc32(out, start));
}

}  // namespace

std::string PngFileBytes(const Image& image) {
    if (image.width < 1 || image.height < 1) {
        throw std::invalid_argument("a PNG image needs at least one pixel");
    }
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        throw std::invalid_argument("PNG image pixel count does not match its size");
    }
    std::string out = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutU32(header, image.width);
    PutU32(header, image.height);
    // 8 bits a sample, RGBA, deflate, filters chosen by row, no interlace.
    header += std::string{8, 6, 0, 0, 0};
    PutChunk(out, "IHDR", header);
    const Bytes compressed = Compress(FilteredRows(image));
    for (std::size_t at = 0; at < compressed.size(); at += kIdatBytes) {
        const std::size_t size = std::min(kIdatBytes, compressed.size() - at);
        PutChunk(out, "IDAT", std::string(compressed.begin() + at, compressed.begin() + at + size));
    }
    PutChunk(out, "IEND", "");
    return out;
}

}  // namespace vandrel
