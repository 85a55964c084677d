#pragma once
// Dialogs for widget tests: the test queues the answers in order, every box shown is recorded,
// and a box without a matching queued answer fails the running test. Installed while alive.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include "desktop/dialogs.h"

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Notice, Confirm, YesNo, Open, Save };

    struct Box {
        Kind kind;
        QString text;  // as the caller passed it (ConfirmAction adds its question when shown)
        NoticeIcon icon = NoticeIcon::Question;
        bool noIsDefault = false;
        FileDialogSetup setup;  // file dialogs only
    };

    ScriptedDialogs() { InstallDialogs(this); }
    ~ScriptedDialogs() override { InstallDialogs(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Queue the answer for the next box, which must be of that kind.
    void AcknowledgeNotice() { answers_.append({Kind::Notice, false, {}}); }
    void AnswerConfirm(bool yes) { answers_.append({Kind::Confirm, yes, {}}); }
    void AnswerYesNo(bool yes) { answers_.append({Kind::YesNo, yes, {}}); }
    // An empty path cancels the dialog.
    void AnswerOpen(const QString& path) { answers_.append({Kind::Open, false, path}); }
    void AnswerSave(const QString& path) { answers_.append({Kind::Save, false, path}); }

    // Every box shown, in order, expected or not.
    const QList<Box>& Shown() const { return shown_; }
    // One line for every box that found no matching answer.
    const QStringList& Unexpected() const { return unexpected_; }
    // Queued answers no box has used yet.
    qsizetype Pending() const { return answers_.size(); }
    void ClearShown() { shown_.clear(); }

    void ShowNotice(QWidget*, const QString& text, NoticeIcon icon) override {
        Take({Kind::Notice, text, icon, false, {}});
    }
    bool ConfirmAction(QWidget*, const QString& text, NoticeIcon icon) override {
        return Take({Kind::Confirm, text, icon, false, {}}).yes;
    }
    bool AskYesNo(QWidget*, const QString& text, bool noIsDefault) override {
        return Take({Kind::YesNo, text, NoticeIcon::Question, noIsDefault, {}}).yes;
    }
    QString OpenFileName(QWidget*, const FileDialogSetup& setup) override {
        return Take({Kind::Open, setup.title, NoticeIcon::Question, false, setup}).path;
    }
    QString SaveFileName(QWidget*, const FileDialogSetup& setup) override {
        return Take({Kind::Save, setup.title, NoticeIcon::Question, false, setup}).path;
    }

    static QString KindName(Kind kind) {
        switch (kind) {
            case Kind::Notice:
                return QStringLiteral("notice");
            case Kind::Confirm:
                return QStringLiteral("confirm");
            case Kind::YesNo:
                return QStringLiteral("yes/no");
            case Kind::Open:
                return QStringLiteral("open");
            case Kind::Save:
                break;
        }
        return QStringLiteral("save");
    }

private:
    struct Answer {
        Kind kind;
        bool yes;
        QString path;
    };

    // Unanswered boxes get No (or Cancel), which never destroys data.
    Answer Take(const Box& box) {
        shown_.append(box);
        if (!answers_.isEmpty() && answers_.first().kind == box.kind) return answers_.takeFirst();
        const QString expected =
            answers_.isEmpty() ? QStringLiteral("none") : KindName(answers_.first().kind);
        const QString line = QStringLiteral("unexpected %1 box \"%2\" (next answer: %3)")
                                 .arg(KindName(box.kind), box.text, expected);
        unexpected_.append(line);
        QTest::qFail(line.toUtf8().constData(), __FILE__, __LINE__);
        return {box.kind, false, {}};
    }

    QList<Answer> answers_;
    QList<Box> shown_;
    QStringList unexpected_;
};
