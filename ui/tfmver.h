#pragma once
// The version window: product name and version, and the computer and user of this run.

#include <QDialog>

class ExecuteParameter;
class QLabel;
class QPushButton;

class TFMver : public QDialog {
    Q_OBJECT

public:
    // settings: the run record whose computer and user it shows; mainWindow: the window the box
    // is centred over and modal to.
    explicit TFMver(const ExecuteParameter& settings, QWidget* mainWindow = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BTokClick();

    const ExecuteParameter& settings_;

    QLabel* IMicon = nullptr;
    QLabel* LLver = nullptr;
    QLabel* LLcomputer = nullptr;
    QLabel* LLcomputername = nullptr;
    QLabel* LLuser = nullptr;
    QLabel* LLusername = nullptr;
    QPushButton* BTok = nullptr;
};
