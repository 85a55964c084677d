#pragma once
// The settings dialog: start and exit behaviour, live recalculation, export choices, display
// format, angle unit, transparency, stay-on-top and the named constants. It loads the settings
// record each time it is shown and writes it back only on OK.

#include <QDialog>
#include <functional>
#include <vector>

#include "ui/setting_bindings.h"
#include "ui/track_bar.h"

class CalcExpression;
class ExecuteParameter;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

class TFMsetup : public QDialog {
    Q_OBJECT

public:
    // The constant memo shows at least this many lines at any font size, as it does at the
    // desktop's usual 9 points in the dialog's 406 by 407 pixels; the screen's room permitting,
    // the dialog grows, else it scrolls.
    static constexpr int kMemoLines = 8;

    // settings and calculator: the record and the evaluator (its angle unit and constants) the
    // dialog shows and, by OK, changes. mainWindow: the window the dialog is centred over and
    // whose opacity it previews.
    TFMsetup(ExecuteParameter& settings, CalcExpression& calculator, QWidget* mainWindow = nullptr);

    // Showing runs FormShow first, so the controls hold the settings when they appear.
    void setVisible(bool visible) override;

    // Whether the window system can show translucent windows; tests replace it.
    std::function<bool()> transparencyAvailable;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void BTokClick();
    // False: the typed character is discarded.
    bool EDketa10KeyPress(QChar key) const;
    bool EDketa16KeyPress(QChar key) const;
    void TBtransChange();

    void CreateControls();
    void LayOut();
    // Every control that shows a setting, with the setting it shows.
    void BindSettings();
    // Sizes the dialog for its controls at the present font, within the screen of the main
    // window; what does not fit scrolls.
    void FitOnScreen();
    // The memo's least height: kMemoLines lines of its font.
    void FitMemoToFont();

    ExecuteParameter& settings_;
    CalcExpression& calculator_;
    QWidget* mainWindow_;
    QScrollArea* scroller_ = nullptr;
    std::vector<SettingBinding> bindings_;

    QGroupBox* GBexecute = nullptr;
    QCheckBox* CHflash = nullptr;
    QCheckBox* CHask = nullptr;
    QGroupBox* GBreal = nullptr;
    QCheckBox* CHrtime = nullptr;
    QCheckBox* CHrkakko = nullptr;
    QLabel* LLsum = nullptr;
    QRadioButton* RBall = nullptr;
    QRadioButton* RBsel = nullptr;
    QGroupBox* GBexp = nullptr;
    QLabel* LLexpcell = nullptr;
    QLineEdit* EDexpcell = nullptr;
    QCheckBox* CHexpnum = nullptr;
    QCheckBox* CHexpval = nullptr;
    QCheckBox* CHexpexp = nullptr;
    QGroupBox* GBketa = nullptr;
    QLabel* LLketa10 = nullptr;
    QLineEdit* EDketa10 = nullptr;
    QLabel* LLketa10note = nullptr;
    QLabel* LLketa16 = nullptr;
    QLineEdit* EDketa16 = nullptr;
    QLabel* LLketa16note = nullptr;
    QLabel* LLdegree = nullptr;
    QRadioButton* RBdegree = nullptr;
    QRadioButton* RBrad = nullptr;
    QLabel* LLtrans = nullptr;
    TrackBar* TBtrans = nullptr;
    QCheckBox* CHtmost = nullptr;
    QGroupBox* GBsiki = nullptr;
    QPlainTextEdit* MMsiki = nullptr;
    QPushButton* BTok = nullptr;
    QPushButton* BTng = nullptr;
};
