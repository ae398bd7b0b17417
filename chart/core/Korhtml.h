#pragma once

#include "chart/core/KorException.h"

#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>

class QIODevice;
class TGraphic;
class TKorCanvas;

// Render: chart texts with a small set of HTML tags (fonts, styles, line
// breaks, centring, rules and pictures), measured and drawn on a surface
// token by token.
//
// Layout: the text is set in lines. A line starts at the left margin; its
// height is the tallest token on it, and every token is drawn with its
// bottom on the line's bottom (shifted down for <SUB>, up for <SUPER>). A
// line ends at <BR>, <P>, <HR>, and at a CR LF that starts a token or ends
// a text token; the next line starts at the bottom of the one before (one
// font height lower when the line was empty). Pictures are tokens of their
// own size. The extent is the widest x reached and the bottom of the last
// line that holds anything, both measured from the start point.
//
// The saved fonts and opened style tags belong to one call: whatever a
// text leaves open is dropped when the call ends, and a "</>" with nothing
// to close does nothing. The canvas font is left as the tags left it.
//
// Errors: HtmlParserException for a "<" without ">" and for a font size or
// picture size that is not a number; Exception for an unknown FONT
// attribute or WEIGHT value; the framework's EConvertError for a colour
// that is not one. Nothing is drawn when HtmlTextOut raises.

// A new, empty picture able to read files of Extension (upper-cased, with
// its dot: ".PNG"), or nullptr. Not set: pictures are never loaded.
using TGraphicFileExtensionHook =
    std::function<std::unique_ptr<TGraphic>(const QString& Extension)>;
// Fills Stream with the bytes of the picture Source names; 0 on success.
using TGraphicDownloadHook = std::function<int(const QString& Source, QIODevice& Stream)>;

extern TGraphicFileExtensionHook GraphicFileExtension;
// Initially LocalGraphicDownload. Only sources that name local files reach
// it: the text drawer refuses URLs of any other scheme and network shares.
extern TGraphicDownloadHook GraphicDownload;

// Reads a regular local file (a plain path or a file: URL without host) of
// at most 64 MiB into Stream; 0 on success, 1 otherwise.
int LocalGraphicDownload(const QString& Source, QIODevice& Stream);

// Draws Text with its top-left corner at (X, Y).
void HtmlTextOut(TKorCanvas& Canvas, int X, int Y, const QString& Text);
// Width and height of Text drawn from (0, 0), without drawing it.
TSize HtmlTextExtent(TKorCanvas& Canvas, const QString& Text);

// For tests: the saved fonts and style tags held by calls in progress
// (0 whenever no call is running).
int HtmlLiveStackEntries();
