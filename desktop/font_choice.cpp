#include "desktop/font_choice.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <future>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/face_choice.h"

namespace {

constexpr std::string_view kNumberCharacters = "0123456789.,+-E";

FaceFacts FactsOf(FcPattern* face) {
    FaceFacts facts;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(face, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        facts.names.emplace_back(reinterpret_cast<const char*>(name));
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(face, FC_SPACING, 0, &spacing);
    facts.fixedPitch = spacing == FC_MONO || spacing == FC_DUAL || spacing == FC_CHARCELL;
    FcLangSet* languages = nullptr;
    facts.writesJapanese =
        FcPatternGetLangSet(face, FC_LANG, 0, &languages) == FcResultMatch &&
        FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(face, FC_CHARSET, 0, &characters) == FcResultMatch) {
        facts.drawsNumbers =
            std::all_of(kNumberCharacters.begin(), kNumberCharacters.end(),
                        [characters](char c) { return FcCharSetHasChar(characters, FcChar32(c)); });
    }
    return facts;
}

// Every installed family in fontconfig's order of preference for families (the first is what it
// answers for them), one face each. Only fontconfig's cache is read; no font file is opened.
std::vector<FaceFacts> AskFontconfig(const QStringList& families) {
    std::vector<FaceFacts> faces;
    std::set<std::vector<std::string>> listed;
    FcPattern* pattern = FcPatternCreate();
    for (const QString& family : families) {
        FcPatternAddString(pattern, FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result)) {
        for (int i = 0; i < sorted->nfont; ++i) {
            FaceFacts facts = FactsOf(sorted->fonts[i]);
            if (!facts.names.empty() && listed.insert(facts.names).second)
                faces.push_back(std::move(facts));
        }
        FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return faces;
}

// Running the desktop's configuration rules and sorting every installed face costs more than the
// rest, so each list of families is asked once a run; an answer asked for ahead, on a thread of
// its own, is waited for.
std::mutex answersGuard;
std::map<QStringList, std::shared_future<std::vector<FaceFacts>>> answers;

std::shared_future<std::vector<FaceFacts>>& Answer(const QStringList& families,
                                                   std::launch policy) {
    auto& answer = answers[families];
    if (!answer.valid()) answer = std::async(policy, AskFontconfig, families).share();
    return answer;
}

const std::vector<FaceFacts>& Faces(const QStringList& families) {
    std::shared_future<std::vector<FaceFacts>> answer;
    {
        const std::lock_guard<std::mutex> lock(answersGuard);
        answer = Answer(families, std::launch::deferred);
    }
    return answer.get();
}

QStringList OwnFamilies(const QFont& font) {
    const QStringList families = font.families();
    return families.isEmpty() ? QStringList(font.family()) : families;
}

// fontconfig's name for the kind of face the font asks for, so that the search goes on among
// faces of that kind.
QString GenericFamily(const QFont& font) {
    switch (font.styleHint()) {
        case QFont::Serif:
            return QStringLiteral("serif");
        case QFont::TypeWriter:
            return QStringLiteral("monospace");
        default:
            return QStringLiteral("sans-serif");
    }
}

QStringList GridQuestion(const QFont& desktopFixed) {
    return OwnFamilies(desktopFixed) << QStringLiteral("monospace");
}

QStringList NumberQuestion(const QFont& font) {
    return OwnFamilies(font) << GenericFamily(font);
}

QString Name(const FaceFacts& face) {
    return QString::fromStdString(face.names.front());
}

}  // namespace

std::jthread ReadFontconfigAhead() {
    return std::jthread([] { FcInit(); });
}

void AskAheadForFaces(const QFont& text, const QFont& desktopFixed) {
    const std::lock_guard<std::mutex> lock(answersGuard);
    Answer(NumberQuestion(text), std::launch::async);
    Answer(GridQuestion(desktopFixed), std::launch::async);
}

QFont NamedByItsFace(const QFont& font) {
    const std::vector<FaceFacts>& faces = Faces(NumberQuestion(font));
    if (faces.empty()) return font;
    const QStringList own = OwnFamilies(font);
    for (const std::string& name : faces.front().names) {
        if (own.contains(QString::fromStdString(name), Qt::CaseInsensitive)) return font;
    }
    QFont named = font;
    named.setFamily(Name(faces.front()));
    return named;
}

QString GridFamily(const QFont& desktopFixed) {
    const std::vector<FaceFacts>& faces = Faces(GridQuestion(desktopFixed));
    const int chosen = ChooseGridFace(faces);
    return chosen < 0 ? desktopFixed.family() : Name(faces[chosen]);
}

QStringList NumberFamilies(const QFont& font) {
    const std::vector<FaceFacts>& faces = Faces(NumberQuestion(font));
    const int chosen = ChooseNumberFace(faces);
    if (chosen <= 0) return {};
    return QStringList(Name(faces[chosen])) + OwnFamilies(font);
}

void UseNumberFace(QWidget* widget) {
    QFont font = widget->font();
    const QStringList families = NumberFamilies(font);
    if (families.isEmpty()) return;
    font.setFamilies(families);
    widget->setFont(font);
}

void UseNumberFaceInTips() {
    QFont font = QToolTip::font();
    const QStringList families = NumberFamilies(font);
    if (families.isEmpty()) return;
    font.setFamilies(families);
    QToolTip::setFont(font);
}

QStringList JapaneseFamilies(const QStringList& preferred) {
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    QStringList result;
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) result << family;
    }
    for (const QString& family : installed) {
        if (!result.contains(family, Qt::CaseInsensitive)) result << family;
    }
    return result;
}
