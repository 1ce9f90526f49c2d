// Saved rule sets ("Vorlagen"): the menu on cmdPresets and on the options panel, and its dialogs.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/ParameterTable.h"
#include "ui/ShowMessage.h"
#include "batch/StatusText.h"
#include "platform/Presets.h"

#include <QAction>
#include <QFrame>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// A menu shows "&" as the mark of a key unless it is doubled.
QString ItemText(QString name) {
    return name.replace(u'&', QStringLiteral("&&"));
}

QString NameFaultText(PresetNameFault fault) {
    switch (fault) {
    case PresetNameFault::Empty:
        return QString::fromUtf8("Bitte einen Namen f\u00fcr die Vorlage eingeben.");
    case PresetNameFault::TooLong:
        return QString::fromUtf8("Der Name einer Vorlage darf h\u00f6chstens %1 Zeichen lang sein.")
            .arg(kPresetNameLength);
    case PresetNameFault::Bracket:
        return QString::fromUtf8("Der Name einer Vorlage darf kein \u201e]\u201c enthalten.");
    case PresetNameFault::LineBreak:
        return QString::fromUtf8("Der Name einer Vorlage darf keinen Zeilenumbruch enthalten.");
    case PresetNameFault::None:
        break;
    }
    return {};
}

QString WriteFaultText(ProfileWrite result) {
    switch (result) {
    case ProfileWrite::LineBreak:
        return QString::fromUtf8("ein Text der Regeln enth\u00e4lt einen Zeilenumbruch");
    case ProfileWrite::Unreadable:
        return QString::fromUtf8("die Einstellungsdatei l\u00e4sst sich nicht lesen");
    case ProfileWrite::NotAFile:
        return QString::fromUtf8("die Einstellungsdatei ist keine Datei");
    case ProfileWrite::Failed:
        return QString::fromUtf8("die Einstellungsdatei l\u00e4sst sich nicht schreiben");
    case ProfileWrite::Written:
        break;
    }
    return {};
}

// A question with the button action and "Abbrechen"; true when the user chose action.
bool Ask(QWidget* parent, const QString& text, const QString& action) {
    QMessageBox box(QMessageBox::Question, ProgramTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(action, QMessageBox::AcceptRole);
    box.addButton(QString::fromUtf8("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

void frmFiles::BuildPresetMenu() {
    mnuPresets = new QMenu(QStringLiteral("Vorlagen"), this);
    mnuPresets->setObjectName(QStringLiteral("mnuPresets"));
    // Owned by the window, so that the menu's refill keeps them.
    mnuPresetSave = new QAction(QString::fromUtf8("Als Vorlage speichern \u2026"), this);
    mnuPresetSave->setObjectName(QStringLiteral("mnuPresetSave"));
    mnuPresetDelete = new QMenu(QString::fromUtf8("Vorlage l\u00f6schen"), this);
    mnuPresetDelete->setObjectName(QStringLiteral("mnuPresetDelete"));
}

void frmFiles::ConnectPresetHandlers() {
    connect(cmdPresets, &QPushButton::clicked, this, [this] { cmdPresets_Click(); });
    connect(mnuPresets, &QMenu::aboutToShow, this, [this] { mnuPresets_Show(); });
    connect(mnuPresetSave, &QAction::triggered, this, [this] { mnuPresetSave_Click(); });
    // A right-click on the panel, where no control has a menu of its own.
    frmOptions->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(frmOptions, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { mnuPresets->popup(frmOptions->mapToGlobal(at)); });
}

void frmFiles::cmdPresets_Click() {
    mnuPresets->popup(cmdPresets->mapToGlobal(QPoint(0, cmdPresets->height())));
}

void frmFiles::mnuPresets_Show() {
    // The file is read each time: another copy of the program may have saved sets meanwhile.
    const QStringList names = PresetNames(Presets);
    mnuPresets->clear();
    mnuPresetDelete->clear();
    mnuPresets->addAction(mnuPresetSave);
    mnuPresets->addSeparator();
    for (const QString& name : names) {
        connect(mnuPresets->addAction(ItemText(name)), &QAction::triggered, this,
                [this, name] { mnuPreset_Click(name); });
        connect(mnuPresetDelete->addAction(ItemText(name)), &QAction::triggered, this,
                [this, name] { mnuPresetDelete_Click(name); });
    }
    if (!names.isEmpty())
        mnuPresets->addSeparator();
    mnuPresets->addMenu(mnuPresetDelete);
    mnuPresetDelete->setEnabled(!names.isEmpty());
}

void frmFiles::mnuPresetSave_Click() {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgPresetName"));
    dialog.setWindowTitle(ProgramTitle());
    dialog.setLabelText(QString::fromUtf8("Name der Vorlage:"));
    dialog.setOkButtonText(QString::fromUtf8("Speichern"));
    dialog.setCancelButtonText(QString::fromUtf8("Abbrechen"));
    if (dialog.exec() == QDialog::Accepted)
        SavePresetAs(dialog.textValue());
}

bool frmFiles::SavePresetAs(const QString& typed) {
    const PresetNameFault fault = CheckPresetName(typed);
    if (fault != PresetNameFault::None) {
        ShowMessage(NameFaultText(fault), MessageKind::Warning, QString(), this);
        return false;
    }
    const QString name = PresetName(typed);
    const std::optional<QString> saved = SavedPresetName(Presets, name);
    if (saved && !Ask(this, QString::fromUtf8("Die Vorlage %1 gibt es schon. Ersetzen?").arg(Quoted(*saved)),
                      QString::fromUtf8("Ersetzen")))
        return false;
    const ProfileWrite result = SavePreset(Presets, name, RuleSetOf(*this));
    if (result != ProfileWrite::Written) {
        ShowMessage(QString::fromUtf8("Die Vorlage %1 wurde nicht gespeichert: %2.")
                        .arg(Quoted(name), WriteFaultText(result)),
                    MessageKind::Error, QString(), this);
        return false;
    }
    return true;
}

void frmFiles::mnuPreset_Click(const QString& name) {
    const std::optional<std::vector<ProfileEntry>> set = ReadPreset(Presets, name);
    if (!set) {
        ShowMessage(QString::fromUtf8("Die Vorlage %1 gibt es nicht mehr.").arg(Quoted(name)),
                    MessageKind::Warning, QString(), this);
        return;
    }
    {
        // Each control's change lets the event loop run; the batch view follows the whole set
        // once instead of every half-set control by control.
        const QSignalBlocker oneForecast(state_->batchViewTimer);
        SetRuleSet(*this, *set);
    }
    chkOptions_Click(0); // the preview, and the controls of the rules that are on now enabled
    BatchViewChanged();
}

void frmFiles::mnuPresetDelete_Click(const QString& name) {
    if (!Ask(this, QString::fromUtf8("Die Vorlage %1 l\u00f6schen?").arg(Quoted(name)),
             QString::fromUtf8("L\u00f6schen")))
        return;
    const ProfileWrite result = DeletePreset(Presets, name);
    if (result != ProfileWrite::Written)
        ShowMessage(QString::fromUtf8("Die Vorlage %1 wurde nicht gel\u00f6scht: %2.")
                        .arg(Quoted(name), WriteFaultText(result)),
                    MessageKind::Error, QString(), this);
}
