#pragma once
// The input line's edit control. Text the program sets or inserts is never cut, however long;
// a pasted or dropped text may hold several lines, so every paste and drop is reported instead
// of inserted. The input method stays closed here where the framework asks the control; where it
// does not, what it commits is reported too, to be taken by the rules of typed characters. Undo
// and redo keys are left to the window's commands: they act on the sheet.

#include <QLineEdit>
#include <QTextLayout>
#include <string>

class FormulaInput : public QLineEdit {
    Q_OBJECT

public:
    // Beyond this many characters (the control's own default limit) the control's painting and
    // pointer handling, which lay out and measure the whole text each time, give way to ones
    // that lay out only the characters around the caret.
    static constexpr qsizetype LongText = 32767;

    explicit FormulaInput(QWidget* parent = nullptr);

    // Whether a key types its text here, by the edit control's own rule: printable (or a format
    // or private-use character), and not a Ctrl shortcut.
    static bool TypesText(const QKeyEvent& event);

    // Puts the caret between the characters of the first "()", or at the end, and collapses the
    // selection.
    void PlaceCaret();

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
    // A file was dropped on the line: path as the system names it.
    void FileDropped(const std::string& path);

protected:
    bool event(QEvent* event) override;
    // While a composition is shown: commits it before a click, a wheel notch, a key or a
    // command anywhere acts.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
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
    // The composition the input method shows, empty when none.
    QString composing_;
    bool watchingComposition_ = false;
};
