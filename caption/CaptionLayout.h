// Window-free arithmetic of the gradient caption: the caption bar, the
// buttons and the text area from the window's metrics, the colour bands of
// the gradient, the layout of the three text parts, and the window text made
// of them and read back from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

struct CaptionRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    bool operator==(const CaptionRect&) const = default;
};

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// TBorderIcons: a set of these.
enum : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
// TFrameButtons: a set of these.
enum : unsigned { fbClose = 1, fbMinimize = 2, fbMaximize = 4, fbHelp = 8 };

enum class TFontKind : uint8_t { fkCustom, fkSystem, fkSystemI, fkSystemB, fkSystemBI, fkAutoHeight };
enum class TGradEnabled : uint8_t { geAlways, geNever, geWhenActive, geSmart };

// The system metrics the bar is measured with.
struct CaptionMetrics {
    int cxBorder = 1, cyBorder = 1;
    int cxDlgFrame = 3, cyDlgFrame = 3;
    int cxFrame = 4, cyFrame = 4;
    int cyCaption = 19, cySmCaption = 15;
    int cxSize = 18, cxSmSize = 12;
};

// a * b / c to the nearest integer, halves away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);

CaptionRect ComputeCaptionBarRect(TBorderStyle style, int windowWidth, int windowHeight, bool iconic, bool newLook,
                                  const CaptionMetrics& m);
unsigned ComputeButtonSet(TBorderStyle style, unsigned icons, bool newLook);
CaptionRect ComputeTextArea(CaptionRect bar, TBorderStyle style, unsigned icons, bool newLook, const CaptionMetrics& m);

// One vertical band of the gradient: [x0, x1) in colour 0x00BBGGRR.
struct ColorBand {
    int x0 = 0, x1 = 0;
    uint32_t color = 0;
    bool operator==(const ColorBand&) const = default;
};
// The bands from `start` (left) to `end` (right) over [bar.left, bar.right);
// none when numColors is 0 or less.
std::vector<ColorBand> ComputeBands(int numColors, uint32_t start, uint32_t end, CaptionRect bar);

// Whether the gradient is painted (else the plain caption colour).
bool UseGradient(TGradEnabled enabled, bool active, int bitsPerPixel);

// A write of NumColors: the value kept and what the designer is told.
struct NumColorsWrite {
    int value;
    const char* message;  // nullptr: nothing to say
    bool changed;
};
NumColorsWrite WriteNumColors(int current, int requested);
inline constexpr char kTooFewColors[] = "The number of colors must be at least 1";
inline constexpr char kTooManyColors[] = "The highest number of gradient colors possible is 256";

// What a text part contributes to the window text.
struct CaptionPartText {
    bool visible = true;
    std::string caption;
};
std::string ComposeWindowText(const CaptionPartText& company, const CaptionPartText& appName,
                              const CaptionPartText& caption);
// The caption part's text read back from the window text.
std::string DeriveCaptionText(const std::string& windowText, const CaptionPartText& company,
                              const CaptionPartText& appName);

// Which parts fit the text area of width `width`, given the parts' measured
// widths (0 for an invisible part), and where the first one starts.
struct CaptionTextLayout {
    bool showCompany = false;
    bool showApp = false;
    int indent = 0;  // added to the text area's left edge
};
CaptionTextLayout LayOutCaptionText(int width, int company, int appName, int caption, int captionEvenInvisible,
                                    bool newLook);

// NewLook from the system version: platform id, major version; false when
// the version could not be read.
bool IsNewLook(bool versionKnown, unsigned long platformId, unsigned long majorVersion);

}  // namespace qm
