#include "calendar/widget/KyFont.h"

#include <cmath>
#include <cstdlib>
#include <mutex>

namespace orvexp {

namespace {

// Registered once: without the Windows face installed, Qt would otherwise pick
// a Latin font and draw the Japanese through fallbacks of another size.
void RegisterFontSubstitutes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString face = QString::fromUtf8(kJapaneseUiFontName);
        QFont::insertSubstitutions(face, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                          QStringLiteral("Noto Sans CJK JP")});
    });
}

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TKyFont::TKyFont() : FName(kJapaneseUiFontName)
{
    RegisterFontSubstitutes();
    UpdateFont();
}

TKyFont::TKyFont(const TKyFont& source)
    : FName(source.FName), FHeight(source.FHeight), FStyle(source.FStyle), FCharset(source.FCharset),
      FColor(source.FColor), FFont(source.FFont)
{
}

void TKyFont::SetName(const std::string& name)
{
    if (name == FName) return;
    FName = name;
    UpdateFont();
    Changed();
}

void TKyFont::SetHeight(int height)
{
    if (height == FHeight) return;
    FHeight = height;
    UpdateFont();
    Changed();
}

int TKyFont::Size() const
{
    return -MulDiv(FHeight, 72, kPixelsPerInch);
}

void TKyFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TKyFont::SetStyle(TFontStyles style)
{
    if (style == FStyle) return;
    FStyle = style;
    UpdateFont();
    Changed();
}

void TKyFont::SetCharset(std::uint8_t charset)
{
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TKyFont::SetColor(const QColor& color)
{
    if (color == FColor) return;
    FColor = color;
    Changed();
}

bool TKyFont::SameAs(const TKyFont& other) const
{
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FCharset == other.FCharset && FColor == other.FColor;
}

void TKyFont::Assign(const TKyFont& source)
{
    if (&source == this || SameAs(source)) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FColor = source.FColor;
    UpdateFont();
    Changed();
}

void TKyFont::Changed()
{
    if (OnChange) OnChange(*this);
}

void TKyFont::UpdateFont()
{
    QFont font(QString::fromUtf8(FName));
    // A positive height counts the cell with its leading; treated as the
    // character height, which is what every stored calendar font uses anyway.
    font.setPixelSize(std::max(1, std::abs(FHeight)));
    font.setBold(FStyle.Contains(fsBold));
    font.setItalic(FStyle.Contains(fsItalic));
    font.setUnderline(FStyle.Contains(fsUnderline));
    font.setStrikeOut(FStyle.Contains(fsStrikeOut));
    FFont = font;
}

} // namespace orvexp
