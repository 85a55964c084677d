#pragma once
// The input line's edit control. Text the program sets or inserts is never cut, however long;
// what the user types is held to the typing limit, and a pasted or dropped text may hold several
// lines, so every paste and drop goes to the window instead. The input method stays closed here
// where the framework asks the control; where it does not, what it commits goes to the window
// too, to be taken by the rules of typed characters.

#include <QLineEdit>
#include <QTextLayout>
#include <vector>

class FormulaInput : public QLineEdit {
    Q_OBJECT

public:
    // The most characters typing can make: as an edit control's limit, it refuses additions
    // beyond it but lets a longer text set by the program be shortened.
    static constexpr int TypingLimit = 300;
    // Beyond this many characters (the control's own default limit) the control's painting and
    // pointer handling, which lay out and measure the whole text each time, give way to ones
    // that lay out only the characters around the caret.
    static constexpr qsizetype LongText = 32767;

    explicit FormulaInput(QWidget* parent = nullptr);

    // The part of text that typing can add where room characters are left: its beginning,
    // never half a surrogate pair.
    static QString Typeable(const QString& text, qsizetype room = TypingLimit);

    // Inserts text at the caret in place of the selection, as typing does: cut to the room the
    // typing limit leaves, nothing at all when there is none.
    void InsertTyped(const QString& text);

    // Parenthesis completion has put "()" with its ")" at position, and the caret there: a ")"
    // typed while the caret stands right before that one steps over it.
    void RememberCompletedClose(int position);
    // Moves the caret past the ")" completion put right after it; false when there is none.
    bool StepOverCompletedClose();
    // The line gets another formula: no ")" is pending any more.
    void ForgetCompletedCloses() { completedTails_.clear(); }

    // Whether an input method is composing text in the line (shown but not yet part of it).
    bool Composing() const { return !composing_.isEmpty(); }
    // Puts the composition into the line as committed text before anything else acts on the
    // line: through the input method when it can, else as the composed text itself.
    void CommitComposition();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The user pasted (keys, context menu, the X11 selection) or dropped text; the caret stands
    // where it goes.
    void Pasted(const QString& text);
    // An input method committed text; the composition shown before it has gone.
    void Committed(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // What a long text shows: the characters from first on, laid out in one line, and drawn
    // from x offset of that line at the left of the box.
    struct LongTextView {
        QRect box;
        qsizetype first = 0;
        QTextLayout layout;
        qreal offset = 0;
    };

    // The characters that may still be added in place of the selection.
    qsizetype Room() const;
    bool HoldsLongText() const { return text().size() > LongText; }
    // The view of a long text with the caret inside the box; moves the scroll position as
    // little as keeps the caret in sight.
    void LayOutLongText(LongTextView& view);
    void PaintLongText();
    // The caret position under point: the control's own mapping, or the long text's view.
    int PositionAt(const QPoint& point);

    // The first character at the left of the box while a long text is shown.
    qsizetype longTextLeft_ = 0;
    // Where a drag with the left button started, while a long text is shown.
    int dragAnchor_ = -1;
    // The text right of the caret just after each completion still pending, innermost last:
    // while only the text before it changes, the line keeps ending with it.
    std::vector<QString> completedTails_;
    // The composition the input method shows, empty when none.
    QString composing_;
};
