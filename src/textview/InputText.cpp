#include "textview/InputText.h"

#include "base/Codec.h"
#include "doclist/ImportText.h"

namespace corvane::input {

namespace {

bool isDroppedControl(char32_t c)
{
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

DocumentText toDocumentForm(codec::Encoded encoded)
{
    DocumentText out;
    out.unrepresentableCount = encoded.unrepresentable.size();
    out.text = doclist::tabsToSpaces(doclist::normaliseLineEnds(encoded.text));
    return out;
}

} // namespace

DocumentText fromUnicode(std::u16string_view text)
{
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t c : text)
        if (!isDroppedControl(c))
            kept.push_back(c);
    return toDocumentForm(codec::fromUtf16(kept));
}

DocumentText fromUtf8(std::string_view text)
{
    // C0 controls and DEL are single bytes; C1 controls are 0xC2 0x80-0x9F. Neither byte value
    // occurs inside another UTF-8 sequence in these positions.
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        if (b < 0x80 && isDroppedControl(b))
            continue;
        kept.push_back(text[i]);
    }
    return toDocumentForm(codec::fromUtf8(kept));
}

namespace {

SjisString withLfLineEnds(SjisView selection)
{
    SjisString out;
    out.reserve(selection.size());
    for (std::size_t i = 0; i < selection.size(); ++i) {
        if (selection[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < selection.size() && selection[i + 1] == '\n')
                ++i;
        } else {
            out.push_back(selection[i]);
        }
    }
    return out;
}

} // namespace

std::u16string toUnicode(SjisView selection)
{
    return codec::toUtf16(withLfLineEnds(selection)).text;
}

std::string toUtf8(SjisView selection)
{
    return codec::toUtf8(withLfLineEnds(selection)).text;
}

SjisString typedText(SjisView keyText, std::int32_t caretColumnBytes)
{
    if (keyText == "\b")
        return {};
    if (keyText == "\r")
        return "\r\n";
    if (keyText == "\t")
        return SjisString(static_cast<std::size_t>(4 - (caretColumnBytes % 4 + 4) % 4), ' ');
    return SjisString(keyText);
}

} // namespace corvane::input
