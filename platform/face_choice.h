#pragma once
// Which installed face draws numbers: one whose full stop reads as a point at the small sizes the
// windows use. The choice works on what fontconfig knows of each face without opening its file,
// in fontconfig's order of preference for what was asked.

#include <string>
#include <vector>

struct FaceFacts {
    std::vector<std::string> names;  // the family's names; the first is the one to ask for
    bool fixedPitch = false;         // fontconfig's spacing: every character one or two widths
    bool writesJapanese = false;     // fontconfig's languages include Japanese
    bool drawsNumbers = false;       // it has the digits, point, comma, signs and E
};

// False for a face without the characters of numbers, and for the faces whose full stop is drawn
// with a tail at 12 pixels, so that 1.5 reads as 1,5: IPA's fixed-pitch Gothic and Mincho, and
// the Takao faces made from them.
bool PointReadsClearly(const FaceFacts& face);

// Of candidates in fontconfig's order for a fixed-pitch font (the first is fontconfig's own
// answer), the index of the face for the sheet's grid: the first whose point reads clearly, a
// fixed-pitch one before any other (columns are measured in the face's widest digit, so any face
// lines numbers up), and among those one that writes no Japanese, whose Japanese words then come
// from the desktop's own Japanese face (and no large Japanese font is opened for digits); else the
// first fixed-pitch one; -1 when there is none.
int ChooseGridFace(const std::vector<FaceFacts>& candidates);

// Of candidates in fontconfig's order for a text's font (the first is the text's own face), the
// index of the face to draw its numbers with: the text's own when its point reads clearly, else
// the first whose point reads clearly and that writes no Japanese, so that Japanese words keep
// the text's own face, else the first whose point reads clearly; -1 when there is none.
int ChooseNumberFace(const std::vector<FaceFacts>& candidates);
