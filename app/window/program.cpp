#include "app/window/program.h"

#include <QDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <thread>

#include "desktop/clipboard.h"
#include "desktop/dialogs.h"
#include "desktop/font_choice.h"
#include "desktop/qt_translations.h"
#include "desktop/window_layer.h"
#include "desktop/workbook_automation.h"
#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "platform/file_status.h"
#include "platform/process_identity.h"
#include "platform/signal_pipe.h"
#include "platform/system_info.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/recovery_copy.h"
#include "sheet/sheet_document.h"
#include "ui/accessibility.h"
#include "ui/end_signal_notifier.h"
#include "ui/file_commands.h"
#include "ui/formula_input.h"
#include "ui/logo.h"
#include "ui/recovery_copy_keeper.h"
#include "ui/recovery_offer.h"
#include "ui/tfmlogo.h"
#include "ui/tfmmain.h"
#include "ui/tfmpad.h"
#include "ui/tfmsetup.h"
#include "ui/tfmver.h"

ProgramObjects::ProgramObjects(const std::string& dataFolder)
    : settings_(std::make_unique<ExecuteParameter>(dataFolder,
                                                   ExecuteParameter::StartWrite::OnSaveStart)),
      calculator_(std::make_unique<CalcExpression>(dataFolder + "constant.clc")),
      sheet_(std::make_unique<SheetDocument>(*calculator_, *settings_)),
      excel_(std::make_unique<ExcelControl>(PutClipboardText)),
      grid_(std::make_unique<ExtendStringGrid>()) {}

// Members go in the reverse order of their declaration: the grid object first, the settings
// record last.
ProgramObjects::~ProgramObjects() = default;

TessarinApplication::TessarinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tessarin"));
    // Every window shows the program's icon; a Wayland compositor finds it, and the name in
    // its window switcher, through the desktop entry. It is drawn once the message loop runs,
    // so the main window is on the screen first; a window already shown takes it up then.
    QTimer::singleShot(0, this, [] { setWindowIcon(ProgramIcon()); });
    setDesktopFileName(QStringLiteral("tessarin"));
    InstallJapaneseQtTexts(*this);
    InstallAccessibility();
}

bool TessarinApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
    }
    return false;
}

QString ExceptionText(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("メモリが足りません。");
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return QString();
}

void ShowException(const std::exception_ptr& exception) {
    CurrentDialogs().ShowNotice(nullptr, ExceptionText(exception), NoticeIcon::Error);
}

namespace {

// Closes every open modal question or dialog as No: nobody may be there to answer it.
void RejectModalDialogs() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isModal() && dialog->isVisible()) dialog->done(QDialog::Rejected);
    }
}

// Tells that a file the program writes at its end could not be written: in the program's
// notice, or on standard error when a signal ends the program and nobody may answer one.
void TellUnwritten(const std::string& path, bool endedBySignal) {
    static const char* const kUnwritten = "ファイルが書き込めません。";
    if (endedBySignal) {
        std::fprintf(stderr, "tessarin: %s\n%s\n", path.c_str(), kUnwritten);
    } else {
        CurrentDialogs().ShowNotice(
            nullptr, QString::fromStdString(path) + u'\n' + QString::fromUtf8(kUnwritten),
            NoticeIcon::Error);
    }
}

}  // namespace

void ProgramObjects::SaveAtEnd(const std::function<void(const std::string& path)>& unwritten) {
    if (calculator_->SaveConstantChanges() != FileStatus::Ok) {
        unwritten(calculator_->ConstantFile());
    }
    if (settings_->SaveAtEnd() != FileStatus::Ok) unwritten(settings_->Path());
}

int RunProgram(int argc, char** argv) {
    // First of all: a signal that arrives during start-up waits in the pipe until the message
    // loop can end the program in order, and one during shutdown cannot cut the saving short.
    SignalPipe endSignals;
    const std::string dataFolder = DataFolder();
    ProgramObjects objects(dataFolder);
    UseJapaneseSystemLocale();
    std::jthread fontconfigReading = ReadFontconfigAhead();
    TessarinApplication application(argc, argv);
    fontconfigReading.join();
    QApplication::setFont(NamedByItsFace(QApplication::font()));
    // The faces for numbers and for the grid are chosen while the windows are being built.
    AskAheadForFaces(QApplication::font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    InstallWorkbookAutomation();
    EndSignalNotifier ending(endSignals);
    int status = 0;
    try {
        ExecuteParameter& settings = objects.Settings();
        TFMmain main(settings, objects.Calculator(), objects.Sheet(), objects.SheetGrid(),
                     objects.Excel());
        TFMlogo logo(settings, &main);
        std::unique_ptr<TFMpad> keypad;
        std::unique_ptr<TFMver> version;
        std::unique_ptr<TFMsetup> setup;
        main.SetSideWindows({
            .keypad = [&]() -> QWidget* {
                keypad = std::make_unique<TFMpad>(main.FunctionLists(), main.InputLine(), settings,
                                                  &main);
                return keypad.get();
            },
            .version = [&]() -> QDialog* {
                version = std::make_unique<TFMver>(settings, &main);
                return version.get();
            },
            .setup = [&]() -> QDialog* {
                setup = std::make_unique<TFMsetup>(settings, objects.Calculator(), &main);
                return setup.get();
            },
        });
        QObject::connect(&main, &TFMmain::Closed, &application, &QCoreApplication::quit);

        RecoveryCopyKeeper& recovery = *new RecoveryCopyKeeper(
            objects.Sheet(), &main, dataFolder + RecoveryCopyName(CurrentProcess()));
        // Nobody may be there to answer a question: the unsaved sheet stays in its copy.
        QObject::connect(&ending, &EndSignalNotifier::EndRequested, &main, [&] {
            recovery.WriteNow();
            main.CloseWithoutQuestion();
            // An open question or dialog (the recovery question before the message loop runs)
            // would keep the program waiting with no window behind it; it counts as No.
            RejectModalDialogs();
        });
        const auto offerRecovery = [&] {
            OfferRecoveryCopy(main, recovery, dataFolder, [&] { return ending.Received() != 0; });
        };
        RemoveStaleRecoveryTemporaries(dataFolder);
        const bool recoveryPending = !OfferableRecoveryCopies(dataFolder).empty();

        // With the splash, the splash applies the stay-on-top setting when it closes; the
        // recovery question follows it, and until then the splash keeps keys from the sheet.
        if (settings.FLASH != 0) {
            if (recoveryPending) {
                logo.setWindowModality(Qt::ApplicationModal);
                QObject::connect(&logo, &TFMlogo::finished, &main, offerRecovery,
                                 Qt::SingleShotConnection);
            }
        } else {
            ApplyStayOnTop(&main, settings.TMOST != 0);
        }
        // The splash follows the main window, so that it can be placed over it (on Wayland the
        // compositor places it, as a window of the main window).
        main.show();
        if (settings.FLASH != 0) logo.show();
        // What the first frame does not need waits for the message loop.
        QTimer::singleShot(0, &main, [&settings] {
            settings.SaveStart();
            UseNumberFaceInTips();
        });
        // A formula file named on the command line (a file manager's double click) opens
        // once the window is shown, as if the user had chosen it in the open dialog; an
        // unsaved sheet of an earlier run is offered after it, so the user decides last.
        // Qt has taken its own options out of the arguments; the name stays as its bytes.
        if (argc == 2) main.Files().Load(std::filesystem::absolute(argv[1]).string());
        if (settings.FLASH == 0 && recoveryPending) offerRecovery();
        // A signal during the question has closed the window already.
        if (ending.Received() == 0) application.exec();
        // A normal end: the user has decided about the unsaved sheet.
        if (ending.Received() == 0) recovery.Remove();
    } catch (...) {
        ShowException(std::current_exception());
        status = 1;
    }
    // The settings and the constants are written now that the windows are gone, explicitly, so
    // that a failure can be told; a notice then open counts as read when a signal comes.
    QObject::connect(&ending, &EndSignalNotifier::EndRequested, &application, RejectModalDialogs);
    const bool endedBySignal = ending.Received() != 0;
    objects.SaveAtEnd(
        [endedBySignal](const std::string& path) { TellUnwritten(path, endedBySignal); });
    return status;
}
