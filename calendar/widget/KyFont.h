#pragma once
// A font as the calendar's font set holds it: a face, a height in the Windows
// manner (negative = character height in pixels), a style, a character set
// and a colour, with a notification after every change.

#include <cstdint>
#include <functional>
#include <string>

#include <QColor>
#include <QFont>

namespace orvexp {

// The face the calendar asks for; the system substitutes its metric twin
// (IPAPGothic) when the face itself is not installed.
inline constexpr char kJapaneseUiFontName[] = "ＭＳ Ｐゴシック";

// Sizes in points are converted at the Windows screen resolution, so a
// stored height means the same pixels on every display.
inline constexpr int kPixelsPerInch = 96;

inline constexpr std::uint8_t DEFAULT_CHARSET = 1;
inline constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle style : styles) Include(style);
    }
    constexpr bool Contains(TFontStyle style) const { return (Bits >> style) & 1u; }
    constexpr void Include(TFontStyle style) { Bits = static_cast<std::uint8_t>(Bits | (1u << style)); }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    std::uint8_t Bits = 0;
};

// Windows' MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

class TKyFont {
public:
    TKyFont();
    // Copies the font's values; the copy has no change notification.
    TKyFont(const TKyFont& source);
    TKyFont& operator=(const TKyFont&) = delete;

    const std::string& Name() const { return FName; } // UTF-8
    void SetName(const std::string& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points: -Height * 72 / 96, rounded.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    std::uint8_t Charset() const { return FCharset; }
    void SetCharset(std::uint8_t charset);
    const QColor& Color() const { return FColor; }
    void SetColor(const QColor& color);

    // Takes every value of `source` (one notification when anything differs).
    void Assign(const TKyFont& source);
    bool SameAs(const TKyFont& other) const;

    // The Qt font to draw with: the face, |Height| as pixel size, the style.
    const QFont& Font() const { return FFont; }

    std::function<void(TKyFont&)> OnChange;

private:
    void Changed();
    void UpdateFont();

    std::string FName;
    int FHeight = -12;
    TFontStyles FStyle;
    std::uint8_t FCharset = DEFAULT_CHARSET;
    QColor FColor{0, 0, 0};
    QFont FFont;
};

} // namespace orvexp
