#include "caption/CaptionLayout.h"

#include <cstdlib>

namespace qm {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    bool negative = (product < 0) != (c < 0);
    unsigned long long n = static_cast<unsigned long long>(std::llabs(product));
    unsigned long long d = static_cast<unsigned long long>(std::llabs(static_cast<long long>(c)));
    unsigned long long q = (n + d / 2) / d;  // halves away from zero
    long long result = static_cast<long long>(q);
    return static_cast<int>(negative ? -result : result);
}

namespace {
bool IsTool(TBorderStyle s) { return s == TBorderStyle::bsToolWindow || s == TBorderStyle::bsSizeToolWin; }
bool IsSingleOrSizeable(TBorderStyle s) { return s == TBorderStyle::bsSingle || s == TBorderStyle::bsSizeable; }
void Shrink(CaptionRect& r, int dx, int dy) {
    r.left += dx;
    r.right -= dx;
    r.top += dy;
    r.bottom -= dy;
}
}  // namespace

CaptionRect ComputeCaptionBarRect(TBorderStyle style, int windowWidth, int windowHeight, bool iconic, bool newLook,
                                  const CaptionMetrics& m) {
    if (style == TBorderStyle::bsNone) return {};
    CaptionRect r{0, 0, windowWidth, windowHeight};
    if (iconic) {
        if (newLook) Shrink(r, m.cxDlgFrame, m.cyDlgFrame);
        else Shrink(r, m.cxBorder + m.cxDlgFrame, m.cyBorder + m.cyDlgFrame);
    } else if (style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin) {
        Shrink(r, m.cxFrame, m.cyFrame);
    } else {
        Shrink(r, m.cxDlgFrame, m.cyDlgFrame);
    }
    r.bottom = r.top + (IsTool(style) ? m.cySmCaption : m.cyCaption) - 1;
    return r;
}

unsigned ComputeButtonSet(TBorderStyle style, unsigned icons, bool newLook) {
    if (style == TBorderStyle::bsNone) return 0;
    if (IsTool(style)) return fbClose;
    unsigned set = (icons & biSystemMenu) && newLook ? unsigned{fbClose} : 0u;
    const bool minOrMax = (icons & (biMinimize | biMaximize)) != 0;
    if (style == TBorderStyle::bsDialog && (icons & biHelp)) set |= fbHelp;
    if (IsSingleOrSizeable(style) && (icons & biHelp) && !minOrMax) set |= fbHelp;
    if (style == TBorderStyle::bsDialog) return set;
    if (!newLook) {
        if (icons & biMinimize) set |= fbMinimize;
        if (icons & biMaximize) set |= fbMaximize;
    } else if (minOrMax) {
        set |= fbMinimize | fbMaximize;
    }
    return set;
}

CaptionRect ComputeTextArea(CaptionRect t, TBorderStyle style, unsigned icons, bool newLook, const CaptionMetrics& m) {
    const int w = m.cxSize;
    const bool minOrMax = (icons & (biMinimize | biMaximize)) != 0;
    if (style != TBorderStyle::bsNone) {
        if (IsTool(style)) {
            t.right -= m.cxSmSize + 2;
        } else {
            if ((icons & biSystemMenu) && newLook) t.right -= w + 2;
            if (style == TBorderStyle::bsDialog && (icons & biHelp)) t.right -= w + 2;
            if (IsSingleOrSizeable(style) && (icons & biHelp) && !minOrMax) t.right -= w + 2;
            if ((icons & biSystemMenu) && !newLook && IsSingleOrSizeable(style)) t.left += w;
            if (style != TBorderStyle::bsDialog) {
                if (!newLook) {
                    if (icons & biMinimize) t.right -= w;
                    if (icons & biMaximize) t.right -= w;
                } else if (minOrMax) {
                    t.right -= 2 * w;
                }
            }
        }
    }
    if (t.left >= t.right) t.right = t.left + 2;
    return t;
}

std::vector<ColorBand> ComputeBands(int n, uint32_t start, uint32_t end, CaptionRect c) {
    std::vector<ColorBand> bands;
    if (n <= 0) return bands;
    const int width = c.Width();
    auto channel = [](uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); };
    bands.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        ColorBand band;
        band.x0 = c.left + MulDivRound(i, width, n);
        band.x1 = c.left + MulDivRound(i + 1, width, n);
        if (n == 1) {
            band.color = start & 0x00FFFFFF;
        } else {
            uint32_t color = 0;
            for (int shift : {0, 8, 16}) {
                const int from = channel(start, shift);
                const int value = from + MulDivRound(i, channel(end, shift) - from, n - 1);
                color |= static_cast<uint32_t>(value & 0xFF) << shift;
            }
            band.color = color;
        }
        bands.push_back(band);
    }
    return bands;
}

bool UseGradient(TGradEnabled enabled, bool active, int bitsPerPixel) {
    switch (enabled) {
    case TGradEnabled::geAlways: return true;
    case TGradEnabled::geNever: return false;
    case TGradEnabled::geWhenActive: return active;
    case TGradEnabled::geSmart: return active ? bitsPerPixel >= 8 : bitsPerPixel > 8;
    }
    return false;
}

NumColorsWrite WriteNumColors(int current, int requested) {
    if (requested <= 0) return {current, kTooFewColors, false};
    if (requested > 256) return {256, kTooManyColors, current != 256};
    return {requested, nullptr, requested != current};
}

std::string ComposeWindowText(const CaptionPartText& company, const CaptionPartText& appName,
                              const CaptionPartText& caption) {
    std::string s;
    if (company.visible) s += company.caption;
    if (company.visible && !company.caption.empty() && (appName.visible || caption.visible)) s += ' ';
    if (appName.visible) s += appName.caption;
    if (appName.visible && !appName.caption.empty() && caption.visible) s += ' ';
    if (caption.visible) s += caption.caption;
    return s;
}

std::string DeriveCaptionText(const std::string& windowText, const CaptionPartText& company,
                              const CaptionPartText& appName) {
    std::string s = windowText;
    for (const CaptionPartText* part : {&company, &appName}) {
        if (!part->visible) continue;
        if (!part->caption.empty()) {
            const size_t at = s.find(part->caption);
            if (at != std::string::npos) s.erase(0, at + part->caption.size());
        }
        if (!s.empty() && s[0] == ' ') s.erase(0, 1);
    }
    return s;
}

CaptionTextLayout LayOutCaptionText(int width, int company, int appName, int caption, int captionEvenInvisible,
                                    bool newLook) {
    CaptionTextLayout layout;
    layout.showCompany = company + appName + caption < width;
    layout.showApp = layout.showCompany || appName + caption < width;
    const int total = layout.showCompany ? company + appName + caption
                      : layout.showApp   ? appName + caption
                                         : captionEvenInvisible;
    if (!newLook && total < width) layout.indent = (width - total) / 2;
    return layout;
}

bool IsNewLook(bool versionKnown, unsigned long platformId, unsigned long majorVersion) {
    if (!versionKnown) return false;
    switch (platformId) {
    case 0: return false;              // Win32s
    case 1: return true;               // Windows 95 family
    case 2: return majorVersion >= 4;  // Windows NT
    default: return true;
    }
}

}  // namespace qm
