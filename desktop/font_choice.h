#pragma once
// Which installed font families the windows use. Numbers are drawn in a face whose full stop
// reads as a point, chosen from fontconfig's order of faces for a font, which is asked once a run
// from its cache without opening a font file. Fonts are named only as preferences: whatever is
// installed serves when none of them is.

#include <QFont>
#include <QString>
#include <QStringList>
#include <thread>

class QWidget;

// fontconfig reads its configuration and the cache of every installed font when it is first asked,
// a sixth of the window's start-up. The returned thread has it done meanwhile; nothing else may
// ask fontconfig until it has ended (join it).
std::jthread ReadFontconfigAhead();
// Starts asking fontconfig, on threads of their own, what NumberFamilies(text) and
// GridFamily(desktopFixed) need to know, so that the answers are ready when the windows are
// built (fontconfig may be asked from any thread).
void AskAheadForFaces(const QFont& text, const QFont& desktopFixed);
// font itself when it names an installed family; otherwise (the "Sans Serif" Qt gives where no
// desktop names a font) font named by the face fontconfig answers for it. For a family that is not
// installed Qt sorts every installed face again for each script it draws; a named face it finds
// at once.
QFont NamedByItsFace(const QFont& font);
// The family for the sheet's grid, by ChooseGridFace among fontconfig's faces for the desktop's
// fixed-pitch font (its own face first): one whose point reads clearly, a fixed-pitch one first.
// Japanese text comes from Qt's font fallback.
QString GridFamily(const QFont& desktopFixed);
// The families that give font a face whose point reads clearly before its own, which still draw
// what that face lacks (Japanese words keep their face); empty when font's own face serves.
QStringList NumberFamilies(const QFont& font);
// Gives widget the families of NumberFamilies for its font, when its own face's point does not
// read clearly; its other font attributes still follow the desktop.
void UseNumberFace(QWidget* widget);
// The same for tool tips, which show a number cut short whole.
void UseNumberFaceInTips();
// The installed families of preferred, in their order, followed by every other installed family
// that writes Japanese, for QFont::setFamilies.
QStringList JapaneseFamilies(const QStringList& preferred);
