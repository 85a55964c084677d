#pragma once
// The input line's edit control. Text the program sets or inserts is never cut, however long;
// what the user types, pastes or drops is held to the typing limit, and a text with several
// lines would never fit one formula, so every paste and drop goes to the window instead.

#include <QLineEdit>

class FormulaInput : public QLineEdit {
    Q_OBJECT

public:
    // The most characters typing can make: as an edit control's limit, it refuses additions
    // beyond it but lets a longer text set by the program be shortened.
    static constexpr int TypingLimit = 300;

    explicit FormulaInput(QWidget* parent = nullptr);

    // The part of text that typing can add where room characters are left: its beginning,
    // never half a surrogate pair.
    static QString Typeable(const QString& text, qsizetype room = TypingLimit);

    // Inserts text at the caret in place of the selection, as typing does: cut to the room the
    // typing limit leaves, nothing at all when there is none.
    void InsertTyped(const QString& text);

signals:
    // The user pasted (keys, context menu, the X11 selection) or dropped text; the caret stands
    // where it goes.
    void Pasted(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The characters that may still be added in place of the selection.
    qsizetype Room() const;
};
