#include "ui/tfmver.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "desktop/font_choice.h"
#include "settings/execute_parameter.h"
#include "ui/logo.h"
#include "ui/window_placement.h"

namespace {

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

TFMver::TFMver(const ExecuteParameter& settings, QWidget* mainWindow)
    : QDialog(mainWindow,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings) {
    setObjectName(QStringLiteral("TFMver"));
    setWindowTitle(QStringLiteral(" バージョン情報"));
    setModal(true);

    IMicon = NamedLabel(this, "IMicon", QString());
    IMicon->setFixedSize(32, 32);
    LLver = NamedLabel(this, "LLver", QStringLiteral("Tessarin  Version %1").arg(kProductVersion));
    QFont bold = LLver->font();
    bold.setBold(true);
    LLver->setFont(bold);
    UseNumberFace(LLver);
    LLcomputer = NamedLabel(this, "LLcomputer", QStringLiteral("Computer"));
    LLcomputername = NamedLabel(this, "LLcomputername", QString());
    LLuser = NamedLabel(this, "LLuser", QStringLiteral("User"));
    LLusername = NamedLabel(this, "LLusername", QString());
    // Very long names are clipped rather than widening the box; the tip shows them.
    for (QLabel* name : {LLcomputername, LLusername}) {
        name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    BTok = new QPushButton(QStringLiteral("&OK"), this);
    BTok->setObjectName(QStringLiteral("BTok"));
    BTok->setDefault(true);
    BTok->setAutoDefault(true);
    connect(BTok, &QPushButton::clicked, this, &TFMver::BTokClick);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 6, 10, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->addWidget(IMicon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(LLver, 0, 1, 1, 2);
    grid->addWidget(LLcomputer, 1, 1);
    grid->addWidget(LLcomputername, 1, 2, 1, 2);
    grid->addWidget(LLuser, 2, 1);
    grid->addWidget(LLusername, 2, 2, 1, 2);
    grid->addWidget(BTok, 0, 3, Qt::AlignTop | Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    // The box keeps its size unless the desktop's font needs more room for the texts.
    setFixedSize(QSize(365, 85).expandedTo(sizeHint()));
}

void TFMver::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFMver::FormShow() {
    // Drawn for the screen the window shows on.
    IMicon->setPixmap(ProgramIconPixmap(32, devicePixelRatioF()));
    LLcomputername->setText(QString::fromStdString(settings_.COMPUTER));
    LLusername->setText(QString::fromStdString(settings_.USER));
    LLcomputername->setToolTip(LLcomputername->text());
    LLusername->setToolTip(LLusername->text());
    CentreOnScreenOf(this, parentWidget());
    BTok->setFocus();
}

// Esc rejects the dialog through QDialog, which closes it just as OK does.
void TFMver::BTokClick() {
    accept();
}
