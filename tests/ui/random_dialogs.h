#pragma once
// Dialogs answered at random, as a user clicking through them would: questions get Yes or No,
// file dialogs a path inside one folder (an earlier file, a new name, a file that does not
// exist, a folder that does not exist) or Cancel. A test can queue exact answers for the next
// boxes; every box shown is counted.

#include <QDir>
#include <QString>
#include <QStringList>
#include <random>

#include "desktop/dialogs.h"

class RandomDialogs : public Dialogs {
public:
    RandomDialogs(std::mt19937& random, const QString& folder) : random_(random), folder_(folder) {
        InstallDialogs(this);
    }
    ~RandomDialogs() override { InstallDialogs(nullptr); }
    RandomDialogs(const RandomDialogs&) = delete;
    RandomDialogs& operator=(const RandomDialogs&) = delete;

    // Answers for the next file dialogs, in order, before any random one; empty cancels.
    void QueuePath(const QString& path) { queuedPaths_.append(path); }
    // Notices (errors and information) shown so far.
    int Notices() const { return notices_; }
    int Boxes() const { return boxes_; }
    // The last box's text, for the log.
    const QString& LastText() const { return lastText_; }

    void ShowNotice(QWidget*, const QString& text, NoticeIcon) override {
        Count(text);
        ++notices_;
    }
    bool ConfirmAction(QWidget*, const QString& text, NoticeIcon) override {
        Count(text);
        return Chance(2);
    }
    bool AskYesNo(QWidget*, const QString& text, bool) override {
        Count(text);
        return Chance(2);
    }
    QString OpenFileName(QWidget*, const FileDialogSetup& setup) override {
        Count(setup.title);
        if (!queuedPaths_.isEmpty()) return queuedPaths_.takeFirst();
        const QStringList files = QDir(folder_).entryList({"*.tsf"}, QDir::Files);
        switch (Pick(5)) {
            case 0:
                return QString();
            case 1:
                return folder_ + "/missing.tsf";
            default:
                if (files.isEmpty()) return QString();
                return folder_ + "/" + files[Pick(static_cast<int>(files.size()))];
        }
    }
    QString SaveFileName(QWidget*, const FileDialogSetup& setup) override {
        Count(setup.title);
        if (!queuedPaths_.isEmpty()) return queuedPaths_.takeFirst();
        switch (Pick(6)) {
            case 0:
                return QString();
            case 1:
                return folder_ + "/no folder/sheet.tsf";
            default:
                // A few names, so that files are also overwritten.
                return folder_ + QStringLiteral("/sheet%1.tsf").arg(Pick(4));
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int oneIn) { return Pick(oneIn) == 0; }
    void Count(const QString& text) {
        ++boxes_;
        lastText_ = text;
    }

    std::mt19937& random_;
    QString folder_;
    QStringList queuedPaths_;
    int notices_ = 0;
    int boxes_ = 0;
    QString lastText_;
};
