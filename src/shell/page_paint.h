#pragma once
// Drawing elements shared by every page painter, and the eleven fonts.
//
// The painting protocol of a page:
//
//     void paintIncome(int window, int& state) {
//         if (state <= 0) return;
//         beginPage(window);               // background + header band, drawing off-screen
//         drawToolsPanel(window);          // tool pages only
//         darkFrame(window, 183, 53, 793, 583, "INKOMST");
//         drawText(window, 200, 85, "Datum", rgb(50, 50, 100), Font::Body);
//         endPage(window, state);          // footer shading, copy to the window, state = 1
//     }
//
// Colours are integers with red in the lowest byte (rgb()).
#include <QString>

namespace shell {

constexpr int rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

inline constexpr int white = rgb(255, 255, 255);
inline constexpr int labelColour = rgb(50, 50, 100);   // field labels
inline constexpr int panelColour = rgb(145, 185, 255); // panel frames
inline constexpr int linkColour = rgb(0, 0, 250);
inline constexpr int greyText = rgb(100, 100, 100);
inline constexpr int stepColour = rgb(255, 50, 100);   // numbered first-start steps

// The fonts created at start-up.
enum class Font : int {
    Body = 0,      // Arial 16 x 6: frame texts, links
    Heading,       // Arial 20 x 10: page headings, frame titles
    SecondHeading, // Tahoma 18 x 10
    Big,           // Tahoma 80 x 40: the year in large figures
    Small,         // Arial 10 x 6
    HelpMark,      // Tahoma 10 x 6 bold: the "?" mark
    Field,         // Arial 10 pt: edit fields
    SmallField,    // Arial 8 pt: small entry fields
    Listing,       // Courier 12 pt: instruction texts and listings
    SmallListing,  // Courier 8 pt
    Hint,          // Tahoma 16 x 6: explanatory texts on tool pages
};
inline constexpr int fontCount = 11;

// The toolkit font handle of one of the fonts (0 before start-up).
int font(Font which);

// Start of a painter: drawing goes to the off-screen surface, the background
// image is copied onto it and the header band (with the square behind "X")
// is drawn.
void beginPage(int window);
// End of a painter: footer shading, drawing back to the window, the surface
// copied to the client area, state = 1.
void endPage(int window, int& state);

// The header band alone (52 lines at y 0..51 and the square behind "X").
void drawHeaderBand(int window);
// The footer shading alone (14 lines at y 588..601, grey to white).
void drawFooterShading(int window);

// The tools panel: the big untitled dark frame and the five titled ones.
void drawToolsPanel(int window);

// Dark frame: 3-pixel border left, right and bottom in (50,50,150), a 27-line
// title band, the title at left+4, top+4; the inside is not filled.
void darkFrame(int window, int left, int top, int right, int bottom, const QString& title,
               Font titleFont = Font::Heading, int titleColour = white);
// Light frame: inside filled (200,230,255), 3-pixel border (50,50,200), a
// 22-line title band, the title at left+4, top+2.
void lightFrame(int window, int left, int top, int right, int bottom, const QString& title,
                Font titleFont = Font::Heading, int titleColour = white);

// The "?" help mark at x, y (white, help-mark font), on the heading line.
void helpMark(int window, int x, int y);

// The progress bar in the footer, repainted on the screen at once. Call
// before every long operation.
void progressBar();

// Text (transparent unless a background colour other than 0 is given),
// lines and rectangles on the current paint target.
void drawText(int window, int x, int y, const QString& text, int colour, Font f,
              int background = 0);
void drawLine(int window, int x1, int y1, int x2, int y2, int colour);
void fillRect(int window, int left, int top, int right, int bottom, int colour);
void frameRect(int window, int left, int top, int right, int bottom, int colour);

} // namespace shell
