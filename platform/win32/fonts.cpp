#include "platform/win32/fonts.h"

#include "platform/win32/screen_scale.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {

UniqueFont MakeFont(const wchar_t* face, int weight) {
    LOGFONTW lf{};
    // 8.25 pt: MulDiv(8.25, dpi, 72) pixels of character height.
    lf.lfHeight = -MulDiv(825, ScreenDpi(), 7200);
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

UniqueFont MakeDefaultFont() { return MakeFont(L"Microsoft Sans Serif", FW_NORMAL); }

UniqueFont MakeBoldSansSerifFont() { return MakeFont(L"MS Sans Serif", FW_BOLD); }

}  // namespace quelbrin::win32
