#pragma once
// The keypad: a borderless pop-up under the input line with a one-key shortcut for every
// function and the first 30 constants; any key or click inserts (or not) and closes it.

#include <QLabel>
#include <QString>
#include <QWidget>
#include <array>

class ExecuteParameter;
class FunctionPad;
class QFrame;
class QLineEdit;

// A cream key panel of the keypad that reports a click of the left mouse button. Tab and the
// arrow keys reach it, so that a screen reader reads its caption.
class KeyPanel : public QLabel {
    Q_OBJECT

public:
    explicit KeyPanel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TFMpad : public QWidget {
    Q_OBJECT

public:
    // Key position p: p < 10 the function list entry p, else the constant list entry p - 10.
    static const QString PadKeys;
    static constexpr int kFunctionKeys = 10;
    static constexpr int kConstantKeys = 30;

    // pad: the lists whose entries the keys insert; EDcalc: the input line it opens under;
    // settings: whether it stays on top.
    TFMpad(FunctionPad* pad, QLineEdit* EDcalc, const ExecuteParameter& settings,
           QWidget* parent = nullptr);

    // Showing runs FormShow first, so the pop-up opens in place with fresh captions.
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void FormShow();
    void FormKeyDown(int key);
    void FormKeyPress(QChar key);
    void PL0Click(KeyPanel* panel);
    void FormDeactivate();
    void FormCreate();
    KeyPanel* KeyAt(int position) const;
    // An arrow key moves the focus to the next key in its direction, within the four columns.
    void MoveKeyFocus(int key);

    FunctionPad* pad_;
    QLineEdit* EDcalc_;
    const ExecuteParameter& settings_;

    QFrame* PLpad = nullptr;
    std::array<KeyPanel*, kFunctionKeys> functionKeys{};  // PL0 .. PL9
    std::array<KeyPanel*, kConstantKeys> constantKeys{};  // PLa .. PLz, PLop, PLon, PLom, PLod
};
