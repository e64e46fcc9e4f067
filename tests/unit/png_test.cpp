#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/artwork.h"
#include "resources/ico_file.h"
#include "resources/png_file.h"

namespace vandrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kSignature("\x89PNG\r\n\x1A\n", 8);

// The checksums are worked out here bit by bit from their definitions, so a
// fault in the encoder's tables cannot hide behind the same fault here.
std::uint32_t Crc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::uint32_t Adler(const Bytes& bytes) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

// The format's tables, written out here again rather than shared with the encoder: a wrong
// entry there must not be read back by the same wrong entry here.
constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A strict inflate: it throws std::runtime_error on anything a lenient reader
// might quietly accept, such as codes that are not complete or copies from
// before the start.
class Inflater {
  public:
    Inflater(const std::string& in, std::size_t from) : in_(in), bit_(from * 8) {}

    Bytes Run() {
        Bytes out;
        for (bool last = false; !last;) {
            last = Bit();
            const int type = static_cast<int>(Bits(2));
            block_types.insert(type);
            if (type == 0) {
                Stored(out);
            } else if (type == 1) {
                std::vector<int> literals(288, 8), distances(32, 5);
                std::fill(literals.begin() + 144, literals.begin() + 256, 9);
                std::fill(literals.begin() + 256, literals.begin() + 280, 7);
                Codes(out, Build(literals), Build(distances));
            } else if (type == 2) {
                Dynamic(out);
            } else {
                throw std::runtime_error("block type 3");
            }
        }
        return out;
    }

    std::size_t end() const { return (bit_ + 7) / 8; }

    std::set<int> block_types;  // 0 stored, 1 fixed codes, 2 the block's own codes

  private:
    struct Huffman {
        std::array<int, 16> count{};
        std::vector<int> symbols;  // by code length, then by symbol
    };

    int Bit() {
        if (bit_ / 8 >= in_.size()) throw std::runtime_error("the stream ends early");
        const int bit = (static_cast<std::uint8_t>(in_[bit_ / 8]) >> (bit_ % 8)) & 1;
        ++bit_;
        return bit;
    }

    std::uint32_t Bits(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value |= static_cast<std::uint32_t>(Bit()) << i;
        return value;
    }

    static Huffman Build(const std::vector<int>& lengths) {
        Huffman code;
        for (int length : lengths) ++code.count.at(length);
        int left = 1;
        for (int length = 1; length < 16; ++length) {
            left = left * 2 - code.count[length];
            if (left < 0) throw std::runtime_error("a code with too many short lengths");
        }
        if (left != 0) throw std::runtime_error("a code that is not complete");
        for (int length = 1; length < 16; ++length) {
            for (std::size_t s = 0; s < lengths.size(); ++s) {
                if (lengths[s] == length) code.symbols.push_back(static_cast<int>(s));
            }
        }
        return code;
    }

    int Decode(const Huffman& code) {
        int value = 0, first = 0, index = 0;
        for (int length = 1; length < 16; ++length) {
            value |= Bit();
            const int count = code.count[length];
            if (value - first < count) return code.symbols[index + value - first];
            index += count;
            first = (first + count) << 1;
            value <<= 1;
        }
        throw std::runtime_error("no symbol has this code");
    }

    void Stored(Bytes& out) {
        bit_ = (bit_ + 7) / 8 * 8;
        const std::uint32_t length = Bits(16);
        if (length != (~Bits(16) & 0xFFFF))
            throw std::runtime_error("stored length and its complement differ");
        for (std::uint32_t i = 0; i < length; ++i)
            out.push_back(static_cast<std::uint8_t>(Bits(8)));
    }

    void Dynamic(Bytes& out) {
        static constexpr int kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
        const std::size_t literal_count = Bits(5) + 257, distance_count = Bits(5) + 1;
        const std::size_t order_count = Bits(4) + 4;
        if (literal_count > 286 || distance_count > 30) throw std::runtime_error("too many codes");
        std::vector<int> code_lengths(19, 0);
        for (std::size_t i = 0; i < order_count; ++i)
            code_lengths[kOrder[i]] = static_cast<int>(Bits(3));
        const Huffman lengths_code = Build(code_lengths);
        std::vector<int> lengths;
        while (lengths.size() < literal_count + distance_count) {
            const int symbol = Decode(lengths_code);
            if (symbol < 16) {
                lengths.push_back(symbol);
                continue;
            }
            if (symbol == 16 && lengths.empty())
                throw std::runtime_error("a repeat with nothing before it");
            const int value = symbol == 16 ? lengths.back() : 0;
            const std::size_t repeat = symbol == 16   ? 3 + Bits(2)
                                       : symbol == 17 ? 3 + Bits(3)
                                                      : 11 + Bits(7);
            if (lengths.size() + repeat > literal_count + distance_count) {
                throw std::runtime_error("code lengths run past their count");
            }
            lengths.insert(lengths.end(), repeat, value);
        }
        if (lengths[256] == 0) throw std::runtime_error("no end-of-block code");
        Codes(out, Build({lengths.begin(), lengths.begin() + literal_count}),
              Build({lengths.begin() + literal_count, lengths.end()}));
    }

    void Codes(Bytes& out, const Huffman& literals, const Huffman& distances) {
        for (;;) {
            const int symbol = Decode(literals);
            if (symbol < 256) {
                out.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256) return;
            if (symbol > 285) throw std::runtime_error("length symbol out of range");
            const std::size_t length = kLengthBase[symbol - 257] + Bits(kLengthExtra[symbol - 257]);
            const int code = Decode(distances);
            if (code > 29) throw std::runtime_error("distance symbol out of range");
            const std::size_t distance = kDistanceBase[code] + Bits(kDistanceExtra[code]);
            if (length > 258) throw std::runtime_error("length over 258");
            if (distance > out.size()) throw std::runtime_error("a copy from before the start");
            for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
        }
    }

    const std::string& in_;
    std::size_t bit_;
};

struct DecodedPng {
    Image image;
    std::set<int> block_types;
    std::set<int> filters;
    int data_chunks = 0;
};

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Reads the PNG files the encoder writes, checking every CRC and the Adler-32
// on the way; throws std::runtime_error when anything is off.
DecodedPng DecodePng(const std::string& png) {
    if (png.compare(0, 8, kSignature) != 0) throw std::runtime_error("no PNG signature");
    std::vector<std::pair<std::string, std::string>> chunks;
    for (std::size_t at = 8; at < png.size();) {
        if (at + 12 > png.size()) throw std::runtime_error("a cut-off chunk");
        const std::uint32_t length = BigEndian(png, at);
        if (at + 12 + length > png.size()) throw std::runtime_error("a chunk longer than the file");
        const std::string type = png.substr(at + 4, 4);
        if (BigEndian(png, at + 8 + length) != Crc(png.substr(at + 4, 4 + length))) {
            throw std::runtime_error("bad CRC in " + type);
        }
        chunks.push_back({type, png.substr(at + 8, length)});
        at += 12 + length;
    }
    if (chunks.size() < 3 || chunks.front().first != "IHDR" || chunks.back().first != "IEND" ||
        !chunks.back().second.empty()) {
        throw std::runtime_error("not IHDR first and an empty IEND last");
    }
    const std::string& header = chunks.front().second;
    if (header.size() != 13) throw std::runtime_error("IHDR of the wrong size");
    DecodedPng decoded;
    Image& image = decoded.image;
    image.width = static_cast<int>(BigEndian(header, 0));
    image.height = static_cast<int>(BigEndian(header, 4));
    if (image.width < 1 || image.height < 1 || image.width > 4096 || image.height > 4096) {
        throw std::runtime_error("unlikely size");
    }
    if (header.substr(8) != std::string("\x08\x06\0\0\0", 5)) {
        throw std::runtime_error("not 8-bit RGBA without interlace");
    }
    std::string zlib;
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
        if (chunks[i].first != "IDAT")
            throw std::runtime_error("unexpected chunk " + chunks[i].first);
        zlib += chunks[i].second;
        ++decoded.data_chunks;
    }
    if (zlib.size() < 6) throw std::runtime_error("no zlib stream");
    const unsigned cmf = static_cast<std::uint8_t>(zlib[0]),
                   flg = static_cast<std::uint8_t>(zlib[1]);
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20)) {
        throw std::runtime_error("bad zlib header");
    }
    Inflater inflater(zlib, 2);
    const Bytes raw = inflater.Run();
    decoded.block_types = inflater.block_types;
    if (inflater.end() + 4 != zlib.size())
        throw std::runtime_error("no Adler-32 right after the stream");
    if (BigEndian(zlib, inflater.end()) != Adler(raw)) throw std::runtime_error("bad Adler-32");

    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    if (raw.size() != (stride + 1) * image.height) throw std::runtime_error("wrong amount of data");
    Bytes prior(stride, 0), row(stride);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* in = raw.data() + y * (stride + 1);
        const int filter = in[0];
        if (filter > 4) throw std::runtime_error("filter type over 4");
        decoded.filters.insert(filter);
        for (std::size_t x = 0; x < stride; ++x) {
            const int a = x >= 4 ? row[x - 4] : 0, b = prior[x], c = x >= 4 ? prior[x - 4] : 0;
            const int predicted = filter == 0   ? 0
                                  : filter == 1 ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                                : Paeth(a, b, c);
            row[x] = static_cast<std::uint8_t>(in[1 + x] + predicted);
        }
        for (std::size_t x = 0; x < stride; x += 4) {
            image.pixels.push_back(static_cast<std::uint32_t>(row[x + 3]) << 24 | row[x] << 16 |
                                   row[x + 1] << 8 | row[x + 2]);
        }
        prior = row;
    }
    return decoded;
}

// Compares without printing tens of thousands of pixels on a failure.
::testing::AssertionResult SamePixels(const Image& got, const Image& want) {
    if (got.width != want.width || got.height != want.height) {
        return ::testing::AssertionFailure() << got.width << "x" << got.height << " instead of "
                                             << want.width << "x" << want.height;
    }
    std::size_t wrong = 0, first = 0;
    for (std::size_t i = want.pixels.size(); i-- > 0;) {
        if (got.pixels[i] != want.pixels[i]) ++wrong, first = i;
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << wrong << " pixels differ, the first at " << first % want.width << ","
           << first / want.width << ": " << std::hex << got.pixels[first] << " instead of "
           << want.pixels[first];
}

Image Noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Image image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(static_cast<std::uint32_t>(random()));
    return image;
}

DecodedPng Decode(const std::string& png) {
    try {
        return DecodePng(png);
    } catch (const std::runtime_error& error) {
        ADD_FAILURE() << error.what();
        return {};
    }
}

TEST(PngFile, ApplicationIconComesBackExactAndUnderAQuarterOfItsRawSize) {
    const Image icon = ApplicationIcon(256);
    const std::string png = PngFileBytes(icon);
    const DecodedPng decoded = Decode(png);
    EXPECT_TRUE(SamePixels(decoded.image, icon));
    EXPECT_LT(png.size(), 256u * 256 * 4 / 4);
    // A drawing like this is worth codes of its own, and rows filtered more than one way.
    EXPECT_TRUE(decoded.block_types.count(2));
    EXPECT_GE(decoded.filters.size(), 2u);
}

TEST(PngFile, NoiseComesBackExactAndHardlyGrows) {
    // Not square, so a swapped width and height would show.
    const Image noise = Noise(203, 151, 7);
    const std::string png = PngFileBytes(noise);
    const DecodedPng decoded = Decode(png);
    EXPECT_TRUE(SamePixels(decoded.image, noise));
    EXPECT_GT(decoded.data_chunks, 1) << "meant to cover data spread over several IDAT chunks";
    // Nothing to gain: stored blocks, with little beyond the filtered rows themselves.
    EXPECT_EQ(decoded.block_types, std::set<int>{0});
    const std::size_t raw = (203 * 4 + 1) * 151;
    EXPECT_LT(png.size(), raw + raw / 100 + 100);
}

TEST(PngFile, DrawingAboveNoiseComesBackExact) {
    // Blocks of different kinds in one stream: each but the last must say so.
    Image mixed = ApplicationIcon(256);
    const Image noise = Noise(256, 64, 5);
    mixed.height += noise.height;
    mixed.pixels.insert(mixed.pixels.end(), noise.pixels.begin(), noise.pixels.end());
    const DecodedPng decoded = Decode(PngFileBytes(mixed));
    EXPECT_TRUE(SamePixels(decoded.image, mixed));
    EXPECT_TRUE(decoded.block_types.count(0));
    EXPECT_TRUE(decoded.block_types.count(2));
}

TEST(PngFile, SinglePixelsComeBackExact) {
    for (std::uint32_t pixel : {0x00000000u, 0xFFFFFFFFu, 0x80123456u, 0x01FEDCBAu}) {
        const Image image{1, 1, {pixel}};
        const DecodedPng decoded = Decode(PngFileBytes(image));
        EXPECT_TRUE(SamePixels(decoded.image, image)) << std::hex << pixel;
        // Too little data to pay for codes of its own or for a stored block.
        EXPECT_EQ(decoded.block_types, std::set<int>{1}) << std::hex << pixel;
    }
}

TEST(PngFile, LongRunsAndFarRepeatsComeBackExactAndSmall) {
    // One colour with a few bands: runs far longer than one copy can be.
    Image bands{400, 300, std::vector<std::uint32_t>(400 * 300, 0xFF2050A0u)};
    for (int y = 100; y < 110; ++y) {
        for (int x = 0; x < 400; ++x) bands.pixels[y * 400 + x] = 0x80FFEE00u;
    }
    const std::string bands_png = PngFileBytes(bands);
    EXPECT_TRUE(SamePixels(Decode(bands_png).image, bands));
    EXPECT_LT(bands_png.size(), 400u * 300 * 4 / 100);

    // Nothing but copies of one distance: a code needs two symbols to be complete.
    const Image clear{300, 200, std::vector<std::uint32_t>(300 * 200, 0)};
    const std::string clear_png = PngFileBytes(clear);
    EXPECT_TRUE(SamePixels(Decode(clear_png).image, clear));
    EXPECT_LT(clear_png.size(), 300u * 200 * 4 / 100);

    // Random rows that come again seven rows later: the repeats are 28007
    // bytes back, so only a search across nearly the whole window finds them.
    const Image seven = Noise(1000, 7, 11);
    Image repeated{1000, 42, {}};
    for (int copy = 0; copy < 6; ++copy) {
        repeated.pixels.insert(repeated.pixels.end(), seven.pixels.begin(), seven.pixels.end());
    }
    const std::string repeated_png = PngFileBytes(repeated);
    EXPECT_TRUE(SamePixels(Decode(repeated_png).image, repeated));
    EXPECT_LT(repeated_png.size(), repeated.pixels.size() * 4 / 3);
}

TEST(PngFile, ChecksumsAreThereAndTheReaderHereNoticesDamage) {
    const std::string png = PngFileBytes(Noise(5, 3, 1));
    // Every PNG ends with the same empty IEND chunk, whose CRC is well known.
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    EXPECT_EQ(png.substr(8, 8), std::string("\0\0\0\x0DIHDR", 8));
    EXPECT_NO_THROW(DecodePng(png));
    // A wrong CRC or Adler-32 must not slip through the checks the other tests rely on.
    std::string bad_crc = png;
    bad_crc[8 + 8 + 13] ^= 1;  // the first byte of the IHDR CRC
    EXPECT_THROW(DecodePng(bad_crc), std::runtime_error);
    std::string bad_adler = png;
    const std::size_t adler_end = png.size() - 12 - 4;  // the IDAT's CRC comes after it
    bad_adler[adler_end - 1] ^= 1;
    const std::size_t idat = 8 + 25;
    const std::uint32_t length = BigEndian(bad_adler, idat);
    const std::uint32_t crc = Crc(bad_adler.substr(idat + 4, 4 + length));
    for (int i = 0; i < 4; ++i)
        bad_adler[idat + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
    EXPECT_THROW(DecodePng(bad_adler), std::runtime_error);
}

TEST(PngFile, RejectsEmptyAndInconsistentImages) {
    EXPECT_THROW(PngFileBytes(Image{}), std::invalid_argument);
    EXPECT_THROW(PngFileBytes(Image{0, 5, {}}), std::invalid_argument);
    EXPECT_THROW(PngFileBytes(Image{2, 2, {1, 2, 3}}), std::invalid_argument);
    EXPECT_THROW(PngFileBytes(Image{1, 1, {1, 2}}), std::invalid_argument);
}

// Sum of 2^-length over the used symbols, in units of 2^-30: 2^30 for a complete code.
std::uint64_t Kraft(const std::vector<int>& lengths) {
    std::uint64_t sum = 0;
    for (int length : lengths) sum += length > 0 ? std::uint64_t{1} << (30 - length) : 0;
    return sum;
}

TEST(PngHuffmanCode, FibonacciCountsAreHeldToTheLimitAsACompleteCode) {
    // Counts like these make the deepest tree there is: 29 levels for 30 symbols.
    for (const auto& [symbols, limit] : {std::pair{30, 15}, std::pair{19, 7}}) {
        std::vector<std::uint32_t> counts = {1, 1};
        while (static_cast<int>(counts.size()) < symbols)
            counts.push_back(counts.end()[-1] + counts.end()[-2]);
        const std::vector<int> lengths = HuffmanCodeLengths(counts, limit);
        ASSERT_EQ(lengths.size(), counts.size());
        EXPECT_EQ(Kraft(lengths), std::uint64_t{1} << 30) << limit;
        for (std::size_t s = 0; s < lengths.size(); ++s) {
            EXPECT_GE(lengths[s], 1) << s;
            EXPECT_LE(lengths[s], limit) << s;
            // A commoner symbol never gets the longer code.
            if (s > 1) {
                EXPECT_LE(lengths[s], lengths[s - 1]) << s;
            }
        }
    }
}

TEST(PngHuffmanCode, CountsThatFitGetTheShortestCodeAndLoneSymbolsAPartner) {
    // 1, 1, 2, 4, 8 can only be coded in 4, 4, 3, 2, 1 bits at best.
    const std::vector<std::uint32_t> counts = {8, 0, 1, 4, 2, 1};
    const std::vector<int> lengths = HuffmanCodeLengths(counts, 15);
    std::uint64_t bits = 0;
    for (std::size_t s = 0; s < counts.size(); ++s) bits += counts[s] * lengths[s];
    EXPECT_EQ(bits, 8 * 1 + 4 * 2 + 2 * 3 + 1 * 4 + 1 * 4u);
    EXPECT_EQ(lengths[1], 0);
    EXPECT_EQ(Kraft(lengths), std::uint64_t{1} << 30);
    // One symbol, or none, is no complete code: another takes the second one-bit code.
    for (const std::vector<std::uint32_t>& few :
         {std::vector<std::uint32_t>{0, 0, 5, 0}, std::vector<std::uint32_t>(4, 0)}) {
        const std::vector<int> two = HuffmanCodeLengths(few, 15);
        EXPECT_EQ(Kraft(two), std::uint64_t{1} << 30);
        EXPECT_EQ(std::count(two.begin(), two.end(), 1), 2);
        if (few[2]) {
            EXPECT_EQ(two[2], 1);
        }
    }
    EXPECT_THROW(HuffmanCodeLengths(std::vector<std::uint32_t>(9, 1), 3), std::invalid_argument);
}

// The icon file is kept in the source tree for the Windows build; it must
// still show what the artwork draws now.
TEST(IcoFile, KeptIconMatchesTheArtwork) {
    const auto kept =
        std::filesystem::path(__FILE__).parent_path() / "../../src/resources/vandrel.ico";
    std::ifstream in(kept, std::ios::binary);
    if (!in) GTEST_SKIP() << "no icon file at " << kept;
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::vector<Image> images = {ApplicationIcon(16), ApplicationIcon(32),
                                       ApplicationIcon(48), ApplicationIcon(256)};
    const std::string fresh = IcoFileBytes(images);
    // The bitmaps have sizes fixed by their images, so everything up to the
    // PNG entry's size must agree, and the PNG must start at the same place.
    const std::size_t png_entry = 6 + 3 * 16, png_at = LittleEndian(fresh, png_entry + 12);
    ASSERT_GT(bytes.size(), png_at) << "run make_icon again";
    EXPECT_EQ(bytes.substr(0, png_entry + 8), fresh.substr(0, png_entry + 8))
        << "run make_icon again";
    EXPECT_EQ(LittleEndian(bytes, png_entry + 8), bytes.size() - png_at) << "run make_icon again";
    EXPECT_EQ(LittleEndian(bytes, png_entry + 12), png_at) << "run make_icon again";
    int far_off = 0;
    for (std::size_t i = 0; i < png_at; ++i) {
        // Another maths library may round a few edge pixels differently.
        const int diff = static_cast<std::uint8_t>(bytes[i]) - static_cast<std::uint8_t>(fresh[i]);
        far_off += diff > 2 || diff < -2;
    }
    EXPECT_EQ(far_off, 0) << "run make_icon again";
    // Compressed bytes all shift with one such pixel, so the PNG is compared by its pixels.
    const Image kept_large = Decode(bytes.substr(png_at)).image;
    ASSERT_EQ(kept_large.pixels.size(), images[3].pixels.size()) << "run make_icon again";
    far_off = 0;
    for (std::size_t i = 0; i < kept_large.pixels.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            const int diff = static_cast<int>(kept_large.pixels[i] >> shift & 0xFF) -
                             static_cast<int>(images[3].pixels[i] >> shift & 0xFF);
            far_off += diff > 2 || diff < -2;
        }
    }
    EXPECT_EQ(far_off, 0) << "run make_icon again";
}

}  // namespace
}  // namespace vandrel
