#include "platform/win32/fonts.h"

#include "platform/twips.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {

UniqueFont MakeFont(const wchar_t* face, int weight, int dpi) {
    LOGFONTW lf{};
    // Negative: the character height, without the internal leading.
    lf.lfHeight = -layout::TwipsToPixels(layout::kFontHeightTwips, dpi);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) ThrowLastError("CreateFontIndirectW");
    return font;
}

}  // namespace

UniqueFont MakeDefaultFont(int dpi) { return MakeFont(L"Microsoft Sans Serif", FW_NORMAL, dpi); }

UniqueFont MakeBoldSansSerifFont(int dpi) { return MakeFont(L"MS Sans Serif", FW_BOLD, dpi); }

}  // namespace quelbrin::win32
