#include "base/Codec.h"

#include "base/Sjis.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>

namespace corvane::codec {

namespace {

/// The CP932 mapping, captured from iconv once. Tables are indexed by byte value or by
/// lead << 8 | trail (decode) and by BMP code point (encode).
struct Tables
{
    /// Single bytes that are characters on their own; kReplacementChar for leads and holes.
    std::array<char16_t, 256> single{};
    /// Two-byte characters; 0xFFFD where the pair is not a character.
    std::unique_ptr<char16_t[]> pair;
    /// Shift-JIS code of each BMP code point: < 0x100 one byte, else lead << 8 | trail; 0 where
    /// CP932 has no code (U+0000 itself is handled before the lookup).
    std::unique_ptr<std::uint16_t[]> encode;

    Tables();
};

bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

/// Runs iconv on one short input; returns the number of output bytes, 0 when it refused.
std::size_t convertOne(iconv_t cd, const char* in, std::size_t inLength, char* out,
                       std::size_t outRoom)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    auto* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = inLength;
    std::size_t outLeft = outRoom;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0)
        return 0;
    return outRoom - outLeft;
}

/// Code points that CP932 encodes but never decodes to.
constexpr char16_t kOneWay[] = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014,
                                0x2016, 0x203E, 0x2212, 0x301C};

Tables::Tables() : pair(new char16_t[65536]), encode(new std::uint16_t[65536]())
{
    for (std::size_t i = 0; i < 65536; ++i)
        pair[i] = kReplacementChar;
    single.fill(kReplacementChar);

    // Decoding: every single byte and every lead/trail pair, through iconv to UTF-16LE.
    iconv_t toUnicode = iconv_open("UTF-16LE", "CP932");
    if (toUnicode != reinterpret_cast<iconv_t>(-1)) {
        char out[8];
        for (unsigned b = 0; b < 256; ++b) {
            if (sjis::isLeadByte(static_cast<unsigned char>(b)))
                continue;
            const char in = static_cast<char>(b);
            if (convertOne(toUnicode, &in, 1, out, sizeof out) == 2)
                single[b] = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                  static_cast<unsigned char>(out[1]) << 8);
        }
        // A lead byte's whole row in one call: a code that is no character stops iconv there,
        // so it is skipped and the call resumes after it. Each pair gives one UTF-16 unit.
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            char row[2 * 189];
            std::size_t rowBytes = 0;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                row[rowBytes++] = static_cast<char>(lead);
                row[rowBytes++] = static_cast<char>(trail);
            }
            char16_t units[189];
            iconv(toUnicode, nullptr, nullptr, nullptr, nullptr);
            char* in = row;
            std::size_t inLeft = rowBytes;
            while (inLeft > 0) {
                char* out = reinterpret_cast<char*>(units);
                std::size_t outLeft = sizeof units;
                const bool stopped =
                    iconv(toUnicode, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
                const std::size_t done = (sizeof units - outLeft) / 2;
                const char* first = in - 2 * done;
                for (std::size_t i = 0; i < done; ++i) {
                    const auto trail = static_cast<unsigned char>(first[2 * i + 1]);
                    const auto* bytes = reinterpret_cast<const unsigned char*>(units + i);
                    pair[lead << 8 | trail] = static_cast<char16_t>(bytes[0] | bytes[1] << 8);
                }
                if (!stopped)
                    break;
                if (errno != EILSEQ || inLeft < 2)
                    break; // not expected; the rest of the row stays unassigned
                in += 2;
                inLeft -= 2;
                iconv(toUnicode, nullptr, nullptr, nullptr, nullptr);
            }
        }
        iconv_close(toUnicode);
    }

    // Encoding: the decoding tables turned round. Most characters have one code, which is the
    // code iconv gives them; asking iconv about each of the 65,536 code points instead costs
    // several milliseconds at every start of every program, most of them asking about code
    // points CP932 does not have. Only characters with several codes (the NEC and IBM rows)
    // and the characters CP932 encodes without decoding to them are left to iconv, which knows
    // CP932's preferences; a test compares the whole table with iconv's answers.
    std::unique_ptr<std::uint8_t[]> codes(
        new std::uint8_t[65536]()); // codes per code point, up to 2
    const auto note = [&](char16_t cp, std::uint16_t code) {
        if (cp == kReplacementChar || cp == 0)
            return;
        if (codes[cp] == 0)
            encode[cp] = code;
        if (codes[cp] < 2)
            ++codes[cp];
    };
    for (unsigned b = 0; b < 256; ++b)
        note(single[b], static_cast<std::uint16_t>(b));
    for (unsigned code = 0x8100; code < 0x10000; ++code)
        note(pair[code], static_cast<std::uint16_t>(code));
    iconv_t fromUnicode = iconv_open("CP932", "UTF-16LE");
    if (fromUnicode != reinterpret_cast<iconv_t>(-1)) {
        const auto ask = [&](char16_t cp) {
            char out[8];
            const char in[2] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
            const std::size_t n = convertOne(fromUnicode, in, 2, out, sizeof out);
            if (n == 1)
                encode[cp] = static_cast<unsigned char>(out[0]);
            else if (n == 2)
                encode[cp] = static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                        static_cast<unsigned char>(out[1]));
        };
        for (unsigned cp = 1; cp < 65536; ++cp)
            if (codes[cp] > 1)
                ask(static_cast<char16_t>(cp));
        // Characters CP932 writes with the code of a look-alike: yen sign and overline as the
        // single bytes 0x5C and 0x7E, and the JIS forms listed below.
        for (char16_t cp : kOneWay)
            ask(cp);
        iconv_close(fromUnicode);
    }

    // JIS-style code points for characters CP932 decodes to their full-width or MS forms.
    // Current glibc already accepts them; older ones did not, and a wave dash typed elsewhere
    // must not become "〓".
    struct Extra
    {
        char32_t cp;
        std::uint16_t sjis;
    };
    constexpr Extra extras[] = {{0x301C, 0x8160}, {0x2016, 0x8161}, {0x2212, 0x817C},
                                {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
                                {0x2014, 0x815C}};
    for (const Extra& e : extras) {
        if (encode[e.cp] == 0)
            encode[e.cp] = e.sjis;
    }
}

const Tables& tables()
{
    static const Tables t; // built once, thread-safe; read-only afterwards
    return t;
}

void appendUtf16(std::u16string& out, char32_t cp)
{
    out.push_back(static_cast<char16_t>(cp));
}

/// Walks sjis and hands each decoded code point to sink; returns false when any byte was bad.
template <typename Sink> bool decodeInto(SjisView sjis, Sink sink)
{
    const Tables& t = tables();
    bool valid = true;
    std::size_t i = 0;
    while (i < sjis.size()) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (!sjis::isLeadByte(b)) {
            const char16_t c = t.single[b];
            valid = valid && c != kReplacementChar;
            sink(c);
            ++i;
            continue;
        }
        if (i + 1 >= sjis.size() || !isTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
            valid = false;
            sink(kReplacementChar);
            ++i;
            continue;
        }
        const char16_t c = t.pair[b << 8 | static_cast<unsigned char>(sjis[i + 1])];
        valid = valid && c != kReplacementChar;
        sink(c);
        i += 2;
    }
    return valid;
}

void encodeOne(Encoded& result, char32_t cp)
{
    if (cp == 0) {
        result.text.push_back('\0');
        return;
    }
    const std::uint16_t code = cp < 0x10000 ? tables().encode[cp] : 0;
    if (code == 0) {
        result.unrepresentable.push_back(cp);
        result.text.append(kGetaMarkSjis);
    } else if (code < 0x100) {
        result.text.push_back(static_cast<char>(code));
    } else {
        result.text.push_back(static_cast<char>(code >> 8));
        result.text.push_back(static_cast<char>(code & 0xFF));
    }
}

} // namespace

char32_t decodeChar(unsigned char b)
{
    if (sjis::isLeadByte(b))
        return kReplacementChar;
    return tables().single[b];
}

char32_t decodeChar(unsigned char lead, unsigned char trail)
{
    if (!sjis::isLeadByte(lead) || !isTrailByte(trail))
        return kReplacementChar;
    return tables().pair[lead << 8 | trail];
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementChar;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | cp >> 6));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | cp >> 12));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | cp >> 18));
        out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

Decoded<std::string> toUtf8(SjisView sjis)
{
    Decoded<std::string> result;
    result.text.reserve(sjis.size() + sjis.size() / 2);
    result.valid = decodeInto(sjis, [&](char32_t cp) { appendUtf8(result.text, cp); });
    return result;
}

Decoded<std::u16string> toUtf16(SjisView sjis)
{
    Decoded<std::u16string> result;
    result.text.reserve(sjis.size());
    result.valid = decodeInto(sjis, [&](char32_t cp) { appendUtf16(result.text, cp); });
    return result;
}

Encoded fromUtf8(std::string_view utf8)
{
    Encoded result;
    result.text.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    auto continuation = [&](std::size_t at) {
        return at < n && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80;
    };
    while (i < n) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = kReplacementChar;
        std::size_t length = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xDF && continuation(i + 1)) {
            cp = (b & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
            cp = (b & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
            length = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
                cp = kReplacementChar; // over-long form or encoded surrogate
        } else if (b >= 0xF0 && b <= 0xF4 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            cp = (b & 0x07) << 18 | (utf8[i + 1] & 0x3F) << 12 | (utf8[i + 2] & 0x3F) << 6 |
                 (utf8[i + 3] & 0x3F);
            length = 4;
            if (cp < 0x10000 || cp > 0x10FFFF)
                cp = kReplacementChar;
        }
        // U+FFFD itself has no CP932 code, so malformed input is reported like any other
        // character that cannot be held.
        encodeOne(result, cp);
        i += length;
    }
    return result;
}

Encoded fromUtf16(std::u16string_view utf16)
{
    Encoded result;
    result.text.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacementChar;
        }
        encodeOne(result, cp);
    }
    return result;
}

} // namespace corvane::codec
